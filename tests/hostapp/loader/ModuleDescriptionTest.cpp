// `describe` for the fake module, whose parameters use every property kind.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

#include "FakeModule.h"
#include "hostapp/loader/ModuleDescription.h"

namespace hostapp {
namespace {

TEST(ModuleDescription, ShowsIdentificationProcessParametersAndColumns) {
  ModuleIdentification id;
  id.name = "Fake";
  id.version = "1.2";
  id.description = u"Line one\nline two";
  id.releaseYear = 2024;
  id.releaseMonth = 2;
  id.releaseDay = 9;
  id.apiVersion = 387;
  const ModuleDefinition definitions = fake::Define();
  std::ostringstream out;
  DescribeModule(id, definitions, "", out);

  const std::string expected =
      "Module Fake\n"
      "  version:            1.2\n"
      "  description:        Line one\n"
      "                      line two\n"
      "  company:            (none)\n"
      "  author:             (none)\n"
      "  copyright:          (none)\n"
      "  trademarks:         (none)\n"
      "  original file:      (none)\n"
      "  release date:       2024-02-09\n"
      "  host API version:   387\n"
      "  unique id:          0\n"
      "  module routines:    (none)\n"
      "\n"
      "Process Fake\n"
      "  category:           Testing\n"
      "  version:            258 (0x102)\n"
      "  routines:           Creation, Destruction, Clonation, SetServerHandle,\n"
      "                      GlobalExecutionValidation, PreGlobalExecution,\n"
      "                      GlobalExecution, PostGlobalExecution\n"
      "  parameters:\n"
      "    items (table)\n"
      "      default:            no rows\n"
      "      rows:               0 to 3\n"
      "      routines:           lock, allocation, length\n"
      "      columns:\n"
      "        name (string)\n"
      "          default:            \"\"\n"
      "          routines:           lock, unlock, allocation, length\n"
      "        weight (double)\n"
      "          default:            0.0\n"
      "          routines:           lock\n"
      "    label (string)\n"
      "      default:            \"none\"\n"
      "      characters:         \"abcdefghijklmnopqrstuvwxyz#\u00e9\u20ac \"\n"
      "      routines:           lock, allocation, length\n"
      "    enabled (boolean)\n"
      "      default:            true\n"
      "      routines:           lock\n"
      "    frozen (boolean)  [read-only]\n"
      "      default:            true\n"
      "      routines:           lock\n"
      "    gain (double)\n"
      "      default:            2.5\n"
      "      precision:          3\n"
      "      scientific:         no\n"
      "      range:              0.0 to 100.0\n"
      "      routines:           lock, validation\n";
  EXPECT_EQ(out.str(), expected);
}

}  // namespace
}  // namespace hostapp
