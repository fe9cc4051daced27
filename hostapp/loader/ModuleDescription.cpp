#include "hostapp/loader/ModuleDescription.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <sstream>

#include "hostapp/services/TextConversion.h"

namespace hostapp {

namespace {

std::string Utf8(const std::u16string& s) { return Utf16ToUtf8(s); }

std::string Quoted(const std::u16string& s) { return "\"" + Utf8(s) + "\""; }

std::string Optional8(const std::optional<std::string>& s) { return s ? *s : "(none)"; }
std::string Optional16(const std::optional<std::u16string>& s) { return s ? Utf8(*s) : "(none)"; }

// Shortest text that reads back as `v`; whole numbers keep a ".0" so they
// read as reals.
std::string Number(double v) {
  char buffer[32];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
  std::string text(buffer, ec == std::errc() ? end : buffer);
  if (text.find_first_of(".eEn") == std::string::npos) text += ".0";
  return text;
}

// A field line; continuation lines of multi-line texts are indented under
// the value.
void Field(std::ostream& out, const std::string& indent, const std::string& label,
           const std::string& value) {
  std::string prefix = indent + label + ":";
  prefix.resize(std::max<size_t>(prefix.size() + 1, indent.size() + 20), ' ');
  out << prefix;
  const std::string pad(prefix.size(), ' ');
  for (char c : value) {
    out << c;
    if (c == '\n') out << pad;
  }
  out << '\n';
}

// "SetProcessPreGlobalExecutionRoutine" -> "PreGlobalExecution".
std::string RoutineName(const std::string& setter) {
  std::string name = setter;
  if (name.rfind("SetProcess", 0) == 0) name = name.substr(10);
  if (name.size() > 7 && name.compare(name.size() - 7, 7, "Routine") == 0)
    name.resize(name.size() - 7);
  return name;
}

std::string Flags(const ParameterDefinition& p) {
  std::string flags;
  auto add = [&](const std::string& f) { flags += (flags.empty() ? "" : ", ") + f; };
  if (p.required) add("required");
  if (p.readOnly) add("read-only");
  return flags.empty() ? "" : "  [" + flags + "]";
}

std::string Routines(const ParameterDefinition& p) {
  std::string r;
  auto add = [&](bool present, const char* name) {
    if (present) r += (r.empty() ? "" : ", ") + std::string(name);
  };
  add(p.lock != nullptr, "lock");
  add(p.unlock != nullptr, "unlock");
  add(p.validation != nullptr, "validation");
  add(p.allocation != nullptr, "allocation");
  add(p.length != nullptr, "length");
  return r.empty() ? "(none)" : r;
}

std::string Limits(api_size lo, api_size hi) {
  return std::to_string(lo) + " to " + (hi == 0 ? std::string("unlimited") : std::to_string(hi));
}

void DescribeParameter(std::ostream& out, const ParameterDefinition& p, const std::string& indent) {
  out << indent << p.id << " (" << ParameterTypeName(p.typeCode) << ")" << Flags(p) << '\n';
  const std::string in = indent + "  ";
  if (p.defaultNumeric) Field(out, in, "default", Number(*p.defaultNumeric));
  if (p.defaultBoolean) Field(out, in, "default", *p.defaultBoolean ? "true" : "false");
  if (p.IsString()) Field(out, in, "default", Quoted(p.defaultString.value_or(u"")));
  if (p.IsTable()) Field(out, in, "default", "no rows");
  if (p.precision) Field(out, in, "precision", std::to_string(*p.precision));
  if (p.scientificNotation) Field(out, in, "scientific", *p.scientificNotation ? "yes" : "no");
  if (p.numericRange)
    Field(out, in, "range",
          Number(p.numericRange->first) + " to " + Number(p.numericRange->second));
  if (p.stringLengthLimits)
    Field(out, in, "length", Limits(p.stringLengthLimits->first, p.stringLengthLimits->second));
  if (p.allowedCharacters) Field(out, in, "characters", Quoted(*p.allowedCharacters));
  if (p.tableRowLimits)
    Field(out, in, "rows", Limits(p.tableRowLimits->first, p.tableRowLimits->second));
  if (p.firstProcessVersion != 0 || p.lastProcessVersion != 0)
    Field(out, in, "process versions",
          std::to_string(p.firstProcessVersion) + " to " +
              (p.lastProcessVersion == 0 ? std::string("current")
                                         : std::to_string(p.lastProcessVersion)));
  if (!p.aliases.empty()) Field(out, in, "aliases", p.aliases);
  if (!p.description.empty()) Field(out, in, "description", Utf8(p.description));
  if (!p.scriptComment.empty()) Field(out, in, "script comment", Utf8(p.scriptComment));
  Field(out, in, "routines", Routines(p));
  if (p.IsTable()) {
    out << in << "columns:\n";
    for (const ParameterDefinition& c : p.columns) DescribeParameter(out, c, in + "  ");
  }
}

void DescribeProcess(std::ostream& out, const ProcessDefinition& p) {
  out << "\nProcess " << p.id << '\n';
  const std::string in = "  ";
  Field(out, in, "category", p.category.empty() ? "(none)" : p.category);
  if (p.version) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%X", unsigned(*p.version));
    Field(out, in, "version", std::to_string(*p.version) + " (" + hex + ")");
  }
  if (!p.aliases.empty()) Field(out, in, "aliases", p.aliases);
  if (!p.description.empty()) Field(out, in, "description", Utf8(p.description));
  if (!p.scriptComment.empty()) Field(out, in, "script comment", Utf8(p.scriptComment));
  if (p.hasIconSVG) Field(out, in, "icon", "inline SVG");
  if (!p.iconSVGFile.empty()) Field(out, in, "icon", Utf8(p.iconSVGFile));
  if (p.hasIconImage) Field(out, in, "icon", "inline image");
  if (!p.iconImageFile.empty()) Field(out, in, "icon", Utf8(p.iconImageFile));
  if (p.hasSmallIconImage) Field(out, in, "small icon", "inline image");
  if (!p.smallIconImageFile.empty()) Field(out, in, "small icon", Utf8(p.smallIconImageFile));
  // Comma-separated, wrapped so that lines stay short.
  std::string routines, line;
  for (const RegisteredRoutine& r : p.routines) {
    const std::string name = RoutineName(r.setter);
    if (!line.empty() && line.size() + name.size() + 2 > 56) {
      routines += line + ",\n";
      line.clear();
    }
    line += (line.empty() ? "" : ", ") + name;
  }
  routines += line;
  Field(out, in, "routines", routines.empty() ? "(none)" : routines);
  out << in << "parameters:\n";
  if (p.parameters.empty()) out << in << "  (none)\n";
  for (const ParameterDefinition& parameter : p.parameters)
    DescribeParameter(out, parameter, in + "  ");
}

}  // namespace

void DescribeModule(const ModuleIdentification& id, const ModuleDefinition& definitions,
                    const std::string& path, std::ostream& out) {
  out << "Module " << Optional8(id.name) << '\n';
  const std::string in = "  ";
  if (!path.empty()) Field(out, in, "library", path);
  Field(out, in, "version", Optional8(id.version));
  Field(out, in, "description", Optional16(id.description));
  Field(out, in, "company", Optional16(id.company));
  Field(out, in, "author", Optional16(id.author));
  Field(out, in, "copyright", Optional16(id.copyright));
  Field(out, in, "trademarks", Optional16(id.tradeMarks));
  Field(out, in, "original file", Optional16(id.originalFileName));
  char date[32];
  std::snprintf(date, sizeof date, "%04u-%02u-%02u", unsigned(id.releaseYear),
                unsigned(id.releaseMonth), unsigned(id.releaseDay));
  Field(out, in, "release date", date);
  Field(out, in, "host API version", std::to_string(id.apiVersion));
  Field(out, in, "unique id", std::to_string(id.uniqueId));
  std::string routines;
  auto add = [&](bool present, const char* name) {
    if (present) routines += (routines.empty() ? "" : ", ") + std::string(name);
  };
  add(definitions.onLoad != nullptr, "load");
  add(definitions.onUnload != nullptr, "unload");
  add(definitions.allocate != nullptr, "allocation");
  add(definitions.deallocate != nullptr, "deallocation");
  Field(out, in, "module routines", routines.empty() ? "(none)" : routines);
  if (definitions.processes.empty()) out << "\n(no processes)\n";
  for (const ProcessDefinition& p : definitions.processes) DescribeProcess(out, p);
}

void DescribeModule(const LoadedModule& module, std::ostream& out) {
  DescribeModule(module.Identification(), module.Definitions(), module.Path(), out);
}

}  // namespace hostapp
