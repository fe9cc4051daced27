#include "hostapp/xisf/XisfHeader.h"

#include <expat.h>

#include <climits>
#include <cstring>

#include "hostapp/xisf/Latin1.h"

namespace hostapp::xisf {
namespace {

constexpr char kSeparator = '|';

enum class Context { Other, Root, Image, Data };

struct ParseState {
  XML_Parser parser = nullptr;
  std::vector<ImageElement> images;
  std::vector<Context> stack;
  std::string error;  // set when a handler stops the parser
};

// Element names arrive as "namespace|local"; elements outside the XISF
// namespace have no separator or another namespace.
bool IsXisf(const XML_Char* name, const char* local) {
  const size_t ns = sizeof(kXisfNamespace) - 1;
  return std::strncmp(name, kXisfNamespace, ns) == 0 && name[ns] == kSeparator &&
         std::strcmp(name + ns + 1, local) == 0;
}

void Fail(ParseState& state, std::string message) {
  if (state.error.empty()) state.error = std::move(message);
  XML_StopParser(state.parser, XML_FALSE);
}

void StoreImageAttribute(ImageElement& image, const char* name, const char* value) {
  struct Field {
    const char* name;
    std::string ImageElement::*member;
  };
  static const Field kFields[] = {
      {"geometry", &ImageElement::geometry},     {"sampleFormat", &ImageElement::sampleFormat},
      {"colorSpace", &ImageElement::colorSpace}, {"pixelStorage", &ImageElement::pixelStorage},
      {"byteOrder", &ImageElement::byteOrder},   {"location", &ImageElement::location},
      {"compression", &ImageElement::compression}, {"subblocks", &ImageElement::subblocks},
  };
  for (const Field& f : kFields)
    if (std::strcmp(name, f.name) == 0) image.*f.member = value;
}

void XMLCALL OnStart(void* data, const XML_Char* name, const XML_Char** atts) {
  auto& state = *static_cast<ParseState*>(data);
  Context parent = state.stack.empty() ? Context::Other : state.stack.back();
  Context context = Context::Other;
  if (state.stack.empty()) {
    if (!IsXisf(name, "xisf")) return Fail(state, "the header's root element is not <xisf> in the XISF namespace");
    context = Context::Root;
  } else if (parent == Context::Root && IsXisf(name, "Image")) {
    state.images.emplace_back();
    for (size_t i = 0; atts[i] != nullptr; i += 2) StoreImageAttribute(state.images.back(), atts[i], atts[i + 1]);
    context = Context::Image;
  } else if (parent == Context::Image && IsXisf(name, "FITSKeyword")) {
    FitsKeyword k;
    for (size_t i = 0; atts[i] != nullptr; i += 2) {
      if (std::strcmp(atts[i], "name") == 0) k.name = KeywordField(atts[i + 1]);
      else if (std::strcmp(atts[i], "value") == 0) k.value = KeywordField(atts[i + 1]);
      else if (std::strcmp(atts[i], "comment") == 0) k.comment = KeywordField(atts[i + 1]);
    }
    state.images.back().keywords.push_back(std::move(k));
  } else if (parent == Context::Image && IsXisf(name, "Data")) {
    ImageElement& image = state.images.back();
    image.hasData = true;
    for (size_t i = 0; atts[i] != nullptr; i += 2)
      if (std::strcmp(atts[i], "encoding") == 0) image.dataEncoding = atts[i + 1];
    context = Context::Data;
  }
  state.stack.push_back(context);
}

void XMLCALL OnEnd(void* data, const XML_Char*) {
  auto& state = *static_cast<ParseState*>(data);
  if (!state.stack.empty()) state.stack.pop_back();
}

void XMLCALL OnText(void* data, const XML_Char* text, int length) {
  auto& state = *static_cast<ParseState*>(data);
  if (state.stack.empty() || length <= 0) return;
  if (state.stack.back() == Context::Image) state.images.back().inlineText.append(text, size_t(length));
  else if (state.stack.back() == Context::Data) state.images.back().dataText.append(text, size_t(length));
}

// A header has no use for a DTD; refusing it also rules out entity expansion.
void XMLCALL OnDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
  Fail(*static_cast<ParseState*>(data), "the header has a document type declaration");
}

}  // namespace

std::vector<ImageElement> ParseHeader(const char* xml, size_t size) {
  if (size > size_t(INT_MAX)) throw XisfError("header larger than 2 GiB");
  XML_Parser parser = XML_ParserCreateNS("UTF-8", kSeparator);
  if (parser == nullptr) throw XisfError("cannot create the XML parser");
  struct Free {
    XML_Parser p;
    ~Free() { XML_ParserFree(p); }
  } free{parser};
  ParseState state;
  state.parser = parser;
  XML_SetUserData(parser, &state);
  XML_SetElementHandler(parser, OnStart, OnEnd);
  XML_SetCharacterDataHandler(parser, OnText);
  XML_SetStartDoctypeDeclHandler(parser, OnDoctype);
  if (XML_Parse(parser, xml, int(size), XML_TRUE) != XML_STATUS_OK) {
    if (!state.error.empty()) throw XisfError(state.error);
    throw XisfError(std::string("malformed XML header: ") + XML_ErrorString(XML_GetErrorCode(parser)) +
                    " at line " + std::to_string(XML_GetCurrentLineNumber(parser)));
  }
  return std::move(state.images);
}

}  // namespace hostapp::xisf
