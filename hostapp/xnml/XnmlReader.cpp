#include "hostapp/xnml/XnmlReader.h"

#include <expat.h>
#include <lz4.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "hostapp/xisf/BinaryText.h"
#include "hostapp/xisf/XisfShuffle.h"
#include "hostapp/xisf/XisfTypes.h"

namespace hostapp {

namespace {

// A minimal element tree: enough to walk an XNML document.
struct Node {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::string text;
  std::vector<std::unique_ptr<Node>> children;
  Node* parent = nullptr;

  const Node* Child(const std::string& n) const {
    for (auto& c : children)
      if (c->name == n) return c.get();
    return nullptr;
  }
  const Node& Required(const std::string& n) const {
    const Node* c = Child(n);
    if (c == nullptr) throw XnmlError("missing element <" + n + "> in <" + name + ">");
    return *c;
  }
  const std::string& Attribute(const std::string& a) const {
    auto it = attributes.find(a);
    if (it == attributes.end()) throw XnmlError("<" + name + "> has no attribute '" + a + "'");
    return it->second;
  }
};

struct TreeBuilder {
  std::unique_ptr<Node> root;
  Node* current = nullptr;

  static void Start(void* data, const XML_Char* name, const XML_Char** attrs) {
    auto* self = static_cast<TreeBuilder*>(data);
    auto node = std::make_unique<Node>();
    node->name = name;
    for (int i = 0; attrs[i] != nullptr; i += 2) node->attributes[attrs[i]] = attrs[i + 1];
    Node* raw = node.get();
    if (self->current == nullptr) {
      self->root = std::move(node);
    } else {
      raw->parent = self->current;
      self->current->children.push_back(std::move(node));
    }
    self->current = raw;
  }
  static void End(void* data, const XML_Char*) {
    auto* self = static_cast<TreeBuilder*>(data);
    self->current = self->current->parent;
  }
  static void Text(void* data, const XML_Char* s, int len) {
    auto* self = static_cast<TreeBuilder*>(data);
    if (self->current != nullptr) self->current->text.append(s, size_t(len));
  }
};

std::unique_ptr<Node> ParseTree(const std::string& text) {
  TreeBuilder builder;
  std::unique_ptr<XML_ParserStruct, void (*)(XML_Parser)> parser(XML_ParserCreate("UTF-8"),
                                                                  &XML_ParserFree);
  XML_SetUserData(parser.get(), &builder);
  XML_SetElementHandler(parser.get(), &TreeBuilder::Start, &TreeBuilder::End);
  XML_SetCharacterDataHandler(parser.get(), &TreeBuilder::Text);
  // Feed in pieces: expat takes an int length.
  const size_t piece = size_t(1) << 30;
  for (size_t pos = 0; pos < text.size() || pos == 0; pos += piece) {
    size_t n = std::min(piece, text.size() - pos);
    bool last = pos + n >= text.size();
    if (XML_Parse(parser.get(), text.data() + pos, int(n), last) == XML_STATUS_ERROR) {
      std::ostringstream msg;
      msg << "malformed XML at line " << XML_GetCurrentLineNumber(parser.get()) << ": "
          << XML_ErrorString(XML_GetErrorCode(parser.get()));
      throw XnmlError(msg.str());
    }
    if (last) break;
  }
  if (!builder.root) throw XnmlError("empty document");
  return std::move(builder.root);
}

int ParseInt(const std::string& s, const std::string& what) {
  errno = 0;
  char* end = nullptr;
  long v = std::strtol(s.c_str(), &end, 10);
  if (s.empty() || *end != '\0' || errno == ERANGE || v < -2147483648L || v > 2147483647L)
    throw XnmlError(what + " is not an integer: '" + s + "'");
  return int(v);
}

uint64_t ParseSize(const std::string& s, const std::string& what) {
  errno = 0;
  char* end = nullptr;
  if (s.empty() || s[0] == '-') throw XnmlError(what + " is not a size: '" + s + "'");
  unsigned long long v = std::strtoull(s.c_str(), &end, 10);
  if (*end != '\0' || errno == ERANGE) throw XnmlError(what + " is not a size: '" + s + "'");
  return v;
}

std::vector<double> ParseNumberList(const std::string& s, const std::string& what) {
  std::vector<double> values;
  if (s.empty()) return values;
  size_t pos = 0;
  for (;;) {
    size_t comma = s.find(',', pos);
    std::string item = s.substr(pos, comma == std::string::npos ? std::string::npos : comma - pos);
    char* end = nullptr;
    double v = std::strtod(item.c_str(), &end);
    if (item.empty() || *end != '\0') throw XnmlError(what + " holds a bad number: '" + item + "'");
    values.push_back(v);
    if (comma == std::string::npos) break;
    pos = comma + 1;
  }
  return values;
}

std::vector<uint8_t> DecodeChannel(const Node& channel, size_t expectedBytes, bool& compressed,
                                   const std::string& where) {
  auto c = channel.attributes.find("compression");
  compressed = c != channel.attributes.end();
  if (!compressed) {
    std::vector<uint8_t> raw = DecodeBase64(channel.text);
    if (raw.size() != expectedBytes)
      throw XnmlError(where + ": " + std::to_string(raw.size()) + " bytes where the geometry needs " +
                      std::to_string(expectedBytes));
    return raw;
  }
  if (c->second != "LZ4+sh") throw XnmlError(where + ": unknown compression '" + c->second + "'");
  std::vector<uint8_t> shuffled;
  shuffled.reserve(expectedBytes);
  size_t index = 0;
  for (auto& sub : channel.children) {
    if (sub->name != "Subblock") throw XnmlError(where + ": unexpected <" + sub->name + ">");
    std::string label = where + " subblock " + std::to_string(index++);
    uint64_t size = ParseSize(sub->Attribute("uncompressedSize"), label + " uncompressedSize");
    if (size > expectedBytes - shuffled.size())
      throw XnmlError(label + ": uncompressedSize " + std::to_string(size) + " exceeds the channel size");
    std::vector<uint8_t> stored = DecodeBase64(sub->text);
    if (stored.size() > size)
      throw XnmlError(label + ": " + std::to_string(stored.size()) + " stored bytes exceed uncompressedSize " +
                      std::to_string(size));
    size_t at = shuffled.size();
    shuffled.resize(at + size);
    if (stored.size() == size) {
      std::memcpy(shuffled.data() + at, stored.data(), size);
    } else {
      int n = LZ4_decompress_safe(reinterpret_cast<const char*>(stored.data()),
                                  reinterpret_cast<char*>(shuffled.data() + at), int(stored.size()),
                                  int(size));
      if (n < 0 || uint64_t(n) != size)
        throw XnmlError(label + ": LZ4 data does not decompress to " + std::to_string(size) + " bytes");
    }
  }
  if (index == 0) throw XnmlError(where + ": compressed channel without subblocks");
  if (shuffled.size() != expectedBytes)
    throw XnmlError(where + ": subblocks hold " + std::to_string(shuffled.size()) +
                    " bytes where the geometry needs " + std::to_string(expectedBytes));
  return Unshuffle(shuffled, 4);
}

XnmlMatrices ReadMatrices(const Node& node) {
  XnmlMatrices m;
  int w = ParseInt(node.Attribute("width"), node.name + " width");
  int h = ParseInt(node.Attribute("height"), node.name + " height");
  int n = ParseInt(node.Attribute("numberOfChannels"), node.name + " numberOfChannels");
  if (node.Attribute("sampleFormat") != "Float32")
    throw XnmlError(node.name + ": unsupported sampleFormat '" + node.Attribute("sampleFormat") + "'");
  if (w < 1 || h < 1 || n < 1) throw XnmlError(node.name + ": empty geometry");
  m.width = uint32_t(w);
  m.height = uint32_t(h);
  size_t bytes = size_t(w) * size_t(h) * 4;
  for (auto& child : node.children) {
    if (child->name != "ChannelData") throw XnmlError(node.name + ": unexpected <" + child->name + ">");
    std::string where = node.name + " channel " + std::to_string(m.channels.size());
    bool compressed = false;
    std::vector<uint8_t> raw = DecodeChannel(*child, bytes, compressed, where);
    std::vector<float> samples(size_t(w) * size_t(h));
    std::memcpy(samples.data(), raw.data(), bytes);
    m.channels.push_back(std::move(samples));
    m.compressed.push_back(compressed);
  }
  if (m.channels.size() != size_t(n))
    throw XnmlError(node.name + ": " + std::to_string(m.channels.size()) + " ChannelData elements for " +
                    std::to_string(n) + " channels");
  return m;
}

}  // namespace

std::vector<uint8_t> DecodeBase64(const std::string& text) {
  try {
    return xisf::DecodeBase64(text);
  } catch (const XisfError& e) {
    throw XnmlError(std::string("malformed Base64 text: ") + e.what());
  }
}

std::vector<uint8_t> Unshuffle(const std::vector<uint8_t>& shuffled, size_t itemSize) {
  std::vector<uint8_t> out = shuffled;
  xisf::Unshuffle(out.data(), out.size(), itemSize);
  return out;
}

XnmlDocument ParseXnml(const std::string& text) {
  std::unique_ptr<Node> root = ParseTree(text);
  if (root->name != "xnml") throw XnmlError("root element is <" + root->name + ">, not <xnml>");
  if (root->Attribute("version") != "1.0")
    throw XnmlError("unsupported XNML version '" + root->Attribute("version") + "'");
  XnmlDocument doc;
  auto valid = root->attributes.find("valid");
  doc.valid = valid == root->attributes.end() || valid->second != "false";
  doc.creationTime = root->Required("CreationTime").text;
  doc.referenceImage = root->Required("ReferenceImage").text;
  doc.targetImage = root->Required("TargetImage").text;
  const Node& geometry = root->Required("ReferenceGeometry");
  doc.referenceWidth = ParseInt(geometry.Attribute("width"), "ReferenceGeometry width");
  doc.referenceHeight = ParseInt(geometry.Attribute("height"), "ReferenceGeometry height");
  doc.referenceChannels = ParseInt(geometry.Attribute("numberOfChannels"), "ReferenceGeometry numberOfChannels");
  const Node& ln = root->Required("LocalNormalization");
  doc.normalizationScale = ParseInt(ln.Attribute("scale"), "LocalNormalization scale");
  doc.version = ParseInt(ln.Attribute("version"), "LocalNormalization version");
  if (!doc.valid) return doc;
  doc.scale = ReadMatrices(ln.Required("Scale"));
  doc.zeroOffset = ReadMatrices(ln.Required("ZeroOffset"));
  if (doc.scale.width != doc.zeroOffset.width || doc.scale.height != doc.zeroOffset.height ||
      doc.scale.channels.size() != doc.zeroOffset.channels.size())
    throw XnmlError("Scale and ZeroOffset matrices differ in geometry");
  if (int(doc.scale.channels.size()) != doc.referenceChannels)
    throw XnmlError("ReferenceGeometry numberOfChannels disagrees with the matrices");
  if (int(doc.scale.width) > doc.referenceWidth || int(doc.scale.height) > doc.referenceHeight)
    throw XnmlError("matrices are larger than the reference geometry");
  if (doc.normalizationScale < 16) throw XnmlError("normalization scale below 16");
  if (const Node* bias = ln.Child("Bias")) doc.bias = ParseNumberList(bias->text, "Bias");
  if (const Node* g = root->Child("GlobalNormalization")) {
    doc.globalScale = ParseNumberList(g->Required("Scale").text, "GlobalNormalization Scale");
    doc.globalReferenceLocation = ParseNumberList(g->Required("ReferenceLocation").text, "ReferenceLocation");
    doc.globalTargetLocation = ParseNumberList(g->Required("TargetLocation").text, "TargetLocation");
  }
  if (const Node* r = root->Child("RelativeScaleFactors")) {
    doc.relativeScaleFactors = ParseNumberList(r->text, "RelativeScaleFactors");
    if (doc.relativeScaleFactors.size() != doc.scale.channels.size())
      throw XnmlError("RelativeScaleFactors has " + std::to_string(doc.relativeScaleFactors.size()) +
                      " values for " + std::to_string(doc.scale.channels.size()) + " channels");
  }
  return doc;
}

XnmlDocument ReadXnmlFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw XnmlError(std::string("cannot open: ") + std::strerror(errno));
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) throw XnmlError("read error");
  return ParseXnml(buffer.str());
}

}  // namespace hostapp
