// `trvxnml convert`: parses the arguments into the TRVXnml instance
// parameters and runs one global execution through the loaded module, the
// way the platform runs it. Everything else is the module's work.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <sstream>

#include "hostapp/cli/Commands.h"
#include "hostapp/cli/Json.h"
#include "hostapp/cli/ProgressSink.h"
#include "hostapp/console/HostConsole.h"
#include "hostapp/loader/InstanceParameters.h"
#include "hostapp/loader/LoaderErrors.h"
#include "hostapp/loader/ModuleLoader.h"
#include "hostapp/loader/ProcessInstance.h"
#include "hostapp/services/TextConversion.h"

namespace hostapp {

namespace {

const char kProcessId[] = "TRVXnml";

struct ConvertOptions {
  std::string instanceFile;
  std::string consoleLog;
  std::string modulePath;
  std::optional<std::string> outputDirectory;
  bool overwrite = false;
  bool noWeightPostfix = false;
  std::vector<std::string> targets;
};

class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

ConvertOptions ParseOptions(const Arguments& args) {
  ConvertOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError("option " + a + " needs a value");
      return args[++i];
    };
    if (a == "--output-dir") o.outputDirectory = value();
    else if (a == "--overwrite") o.overwrite = true;
    else if (a == "--no-weight-postfix") o.noWeightPostfix = true;
    else if (a == "--instance") o.instanceFile = value();
    else if (a == "--console-log") o.consoleLog = value();
    else if (a == "--module") o.modulePath = value();
    else if (a == "--") o.targets.insert(o.targets.end(), args.begin() + i + 1, args.end()), i = args.size();
    else if (a.size() > 1 && a[0] == '-') throw UsageError("unknown option " + a);
    else o.targets.push_back(a);
  }
  return o;
}

// The module expects absolute target paths; relative ones are taken against
// the working directory, as the user typed them.
std::u16string Absolute(const std::string& path) {
  if (path.empty() || path[0] == '/') return Utf8ToUtf16(path);
  char cwd[4096];
  if (::getcwd(cwd, sizeof(cwd)) == nullptr) return Utf8ToUtf16(path);
  return Utf8ToUtf16(std::string(cwd) + "/" + path);
}

const JsonValue& Expect(const JsonValue& v, JsonValue::Kind kind, const std::string& what) {
  if (v.kind != kind) throw JsonError(what + " has the wrong type");
  return v;
}

void ApplyInstanceFile(const std::string& path, InstanceParameters& p) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw UsageError(path + ": cannot open instance file: " + std::strerror(errno));
  std::stringstream text;
  text << in.rdbuf();
  try {
    JsonValue root = ParseJson(text.str());
    Expect(root, JsonValue::Kind::Object, "the instance");
    if (const JsonValue* items = root.Find("targetItems")) {
      for (const JsonValue& row : Expect(*items, JsonValue::Kind::Array, "targetItems").array) {
        Expect(row, JsonValue::Kind::Array, "a targetItems row");
        if (row.array.empty() || row.array.size() > 2) throw JsonError("a targetItems row needs 1 or 2 paths");
        std::u16string target = Absolute(Expect(row.array[0], JsonValue::Kind::String, "targetPath").string);
        std::u16string output;
        if (row.array.size() == 2)
          output = Utf8ToUtf16(Expect(row.array[1], JsonValue::Kind::String, "outputXnmlPath").string);
        p.targetItems.emplace_back(std::move(target), std::move(output));
      }
    }
    if (const JsonValue* v = root.Find("outputDirectory"))
      p.outputDirectory = Utf8ToUtf16(Expect(*v, JsonValue::Kind::String, "outputDirectory").string);
    if (const JsonValue* v = root.Find("overwriteExistingFiles"))
      p.overwriteExistingFiles = Expect(*v, JsonValue::Kind::Bool, "overwriteExistingFiles").boolean;
    if (const JsonValue* v = root.Find("useWeightPostfix"))
      p.useWeightPostfix = Expect(*v, JsonValue::Kind::Bool, "useWeightPostfix").boolean;
  } catch (const JsonError& e) {
    throw UsageError(path + ": " + e.what());
  }
}

}  // namespace

int RunConvert(const Arguments& args, std::ostream& out, std::ostream& err) {
  ConvertOptions options;
  InstanceParameters parameters;
  try {
    options = ParseOptions(args);
    if (!options.instanceFile.empty()) ApplyInstanceFile(options.instanceFile, parameters);
  } catch (const UsageError& e) {
    err << "trvxnml convert: " << e.what() << "\n";
    return kExitUsage;
  }
  for (const std::string& t : options.targets) parameters.targetItems.emplace_back(Absolute(t), u"");
  if (options.outputDirectory) parameters.outputDirectory = Absolute(*options.outputDirectory);
  if (options.overwrite) parameters.overwriteExistingFiles = true;
  if (options.noWeightPostfix) parameters.useWeightPostfix = false;

  // The module writes into the output directory but does not create it; a
  // user naming a new directory expects it to appear.
  if (options.outputDirectory && !options.outputDirectory->empty()) {
    std::error_code ec;
    std::filesystem::create_directories(*options.outputDirectory, ec);
    if (ec) {
      err << "trvxnml convert: " << *options.outputDirectory << ": cannot create directory: " << ec.message()
          << "\n";
      return kExitFailed;
    }
  }

  HostConsole& console = HostConsole::Instance();
  if (!options.consoleLog.empty()) {
    try {
      console.OpenRawLog(options.consoleLog);
    } catch (const std::exception& e) {
      err << "trvxnml convert: " << options.consoleLog << ": " << e.what() << "\n";
      return kExitUsage;
    }
  }
  ProgressSink progress(parameters.targetItems.size(), out);
  HostConsole::TerminalSink previous = console.SetTerminalSink(progress.Sink());

  int status = kExitFailed;
  std::unique_ptr<LoadedModule> module;
  try {
    module = LoadedModule::Load(options.modulePath.empty() ? DefaultModulePath() : options.modulePath);
  } catch (const ModuleLoadError& e) {
    err << "trvxnml convert: " << e.what() << "\n";
    status = kExitUsage;
  }
  if (module) {
    try {
      ProcessInstance instance = ProcessInstance::Create(module->Process(kProcessId));
      WriteInstanceParameters(instance, parameters);
      GlobalExecutionResult result = instance.ExecuteGlobal();
      if (result.outcome == GlobalExecutionResult::Outcome::Refused)
        err << "trvxnml convert: " << (result.reason.empty() ? "execution refused" : Utf16ToUtf8(result.reason))
            << "\n";
      status = result.Succeeded() ? kExitOk : kExitFailed;
    } catch (const ProcessInstanceError& e) {
      err << "trvxnml convert: " << e.what() << "\n";
      status = kExitUsage;
    }
    module->Unload();
  }
  console.SetTerminalSink(previous);
  console.CloseRawLog();
  return status;
}

}  // namespace hostapp
