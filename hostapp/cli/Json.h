// A small JSON reader for instance files (`trvxnml convert --instance`).
#ifndef TRVX_HOSTAPP_CLI_JSON_H
#define TRVX_HOSTAPP_CLI_JSON_H

#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace hostapp {

class JsonError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object } kind = Kind::Null;
  bool boolean = false;
  double number = 0;
  std::string string;  // UTF-8
  std::vector<JsonValue> array;
  std::vector<std::pair<std::string, JsonValue>> object;  // in document order

  // The member of an object, or null when absent.
  const JsonValue* Find(const std::string& key) const;
};

// Parses one JSON text (RFC 8259). Throws JsonError with the byte offset of
// the problem.
JsonValue ParseJson(const std::string& text);

}  // namespace hostapp

#endif
