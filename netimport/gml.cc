#include "gml.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "words.h"
#include "text_format.h"

namespace {

// Lists nested deeper than this are refused rather than followed.
constexpr int kDeepestList = 64;

struct Value;
struct Item {
  std::string key;
  int line = 0;
  std::unique_ptr<Value> value;
};

struct Value {
  enum Kind { kNumber, kString, kList } kind = kNumber;
  std::string text;  // the number or the string as written (quotes left out)
  double number = 0.0;
  std::vector<Item> items;
};

class Parser {
 public:
  Parser(std::string_view text, const std::string& file) : text_(text), file_(file) {}

  // The items of the whole file, or the first fault in it.
  Error parse(std::vector<Item>& items) { return parse_items(items, 0, 0); }

 private:
  Error parse_items(std::vector<Item>& items, int depth, int opened_on) {
    for (;;) {
      skip_space();
      if (pos_ == text_.size()) {
        if (depth == 0) return Error();
        return Error::at(file_, opened_on, "a list opened here with '[' is never closed");
      }
      const char c = text_[pos_];
      if (c == ']') {
        if (depth == 0) return Error::at(file_, line_, "a ']' closes no list");
        ++pos_;
        return Error();
      }
      if (!(std::isalpha(static_cast<unsigned char>(c)) || c == '_')) return unexpected("a key");
      Item item;
      item.line = line_;
      while (pos_ < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[pos_])) || text_[pos_] == '_'))
        item.key += text_[pos_++];
      item.value = std::make_unique<Value>();
      if (Error e = parse_value(item.key, *item.value, depth)) return e;
      items.push_back(std::move(item));
    }
  }

  Error parse_value(const std::string& key, Value& v, int depth) {
    skip_space();
    if (pos_ == text_.size()) return Error::at(file_, line_, "the file ends before the value of " + key);
    const char c = text_[pos_];
    if (c == '[') {
      if (depth + 1 > kDeepestList) return Error::at(file_, line_, text_printf("lists nested deeper than %d", kDeepestList));
      const int opened_on = line_;
      ++pos_;
      v.kind = Value::kList;
      return parse_items(v.items, depth + 1, opened_on);
    }
    if (c == '"') {
      const int opened_on = line_;
      const std::size_t end = text_.find('"', pos_ + 1);
      if (end == std::string_view::npos) return Error::at(file_, opened_on, "a string opened here with '\"' is never closed");
      v.kind = Value::kString;
      v.text = std::string(text_.substr(pos_ + 1, end - pos_ - 1));
      for (char ch : v.text) line_ += ch == '\n';
      pos_ = end + 1;
      return Error();
    }
    std::size_t end = pos_;
    while (end < text_.size() && !std::isspace(static_cast<unsigned char>(text_[end])) && text_[end] != '[' &&
           text_[end] != ']' && text_[end] != '"' && text_[end] != '#')
      ++end;
    v.kind = Value::kNumber;
    v.text = std::string(text_.substr(pos_, end - pos_));
    if (!parse_decimal(v.text, v.number)) {
      if (v.text.empty()) return unexpected("the value of " + key);
      return Error::at(file_, line_, "the value of " + key + " is not a number, a string or a list: '" + shown(v.text) + "'");
    }
    pos_ = end;
    return Error();
  }

  void skip_space() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') {
        ++line_;
      } else if (c == '#') {
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
        continue;
      } else if (!std::isspace(static_cast<unsigned char>(c))) {
        return;
      }
      ++pos_;
    }
  }

  Error unexpected(const std::string& wanted) const {
    return Error::at(file_, line_, "expected " + wanted + ", found '" + shown(text_.substr(pos_, 1)) + "'");
  }

  std::string_view text_;
  const std::string& file_;
  std::size_t pos_ = 0;
  int line_ = 1;

};

// GML writes a few characters as entities, as HTML does.
std::string without_entities(const std::string& text) {
  static const std::pair<const char*, char> kEntities[] = {{"&quot;", '"'}, {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&apos;", '\''}};
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    bool replaced = false;
    for (const auto& [entity, c] : kEntities) {
      if (text.compare(i, std::strlen(entity), entity) == 0) {
        out += c;
        i += std::strlen(entity);
        replaced = true;
        break;
      }
    }
    if (!replaced) out += text[i++];
  }
  return out;
}

const Item* find(const std::vector<Item>& items, std::string_view key) {
  for (const Item& item : items) {
    if (item.key.size() != key.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < key.size() && same; ++i)
      same = std::tolower(static_cast<unsigned char>(item.key[i])) == std::tolower(static_cast<unsigned char>(key[i]));
    if (same) return &item;
  }
  return nullptr;
}

// A whole number that a node id, source or target must be.
Error whole_number(const Item* item, const std::string& file, int line, const char* what, long long& out) {
  if (!item) return Error::at(file, line, std::string("expected ") + what);
  const Value& v = *item->value;
  if (v.kind != Value::kNumber || std::trunc(v.number) != v.number || std::fabs(v.number) > 9.0e15)
    return Error::at(file, item->line, std::string(what) + " is not a whole number");
  out = static_cast<long long>(v.number);
  return Error();
}

// A coordinate: a number, or a string holding one, within its range.
Error coordinate(const Item* item, const std::string& file, const char* what, double limit, std::optional<double>& out) {
  if (!item) return Error();
  const Value& v = *item->value;
  double value = v.number;
  if (v.kind == Value::kList || (v.kind == Value::kString && !parse_decimal(v.text, value)))
    return Error::at(file, item->line, std::string(what) + " is not a number");
  if (std::fabs(value) > limit)
    return Error::at(file, item->line, text_printf("%s %g lies outside -%g to %g", what, value, limit, limit));
  out = value;
  return Error();
}

Error read_node(const Item& node, const std::string& file, RawNetwork& out, std::map<long long, int>& index) {
  if (node.value->kind != Value::kList) return Error::at(file, node.line, "node is not a list [ ... ]");
  const std::vector<Item>& items = node.value->items;
  long long id = 0;
  if (Error e = whole_number(find(items, "id"), file, node.line, "a node id", id)) return e;
  const auto [at, added] = index.emplace(id, static_cast<int>(out.nodes.size()));
  if (!added)
    return Error::at(file, node.line, text_printf("node id %lld is given twice (first on line %d)", id, out.nodes[at->second].line));
  RawNode n;
  n.key = std::to_string(id);
  n.line = node.line;
  if (const Item* label = find(items, "label"); label && label->value->kind != Value::kList)
    n.label = without_entities(label->value->text);
  std::optional<double> latitude;
  std::optional<double> longitude;
  if (Error e = coordinate(find(items, "Latitude"), file, "Latitude", 90.0, latitude)) return e;
  if (Error e = coordinate(find(items, "Longitude"), file, "Longitude", 180.0, longitude)) return e;
  if (latitude && longitude) {
    n.located = true;
    n.latitude = *latitude;
    n.longitude = *longitude;
  } else if (latitude || longitude) {
    out.notes.push_back(text_printf("%s:%d: node %lld gives only its %s: taken as without coordinates", file.c_str(),
                                    node.line, id, latitude ? "Latitude" : "Longitude"));
  }
  out.nodes.push_back(std::move(n));
  return Error();
}

Error read_edge(const Item& edge, const std::string& file, RawNetwork& out, const std::map<long long, int>& index) {
  if (edge.value->kind != Value::kList) return Error::at(file, edge.line, "edge is not a list [ ... ]");
  const std::vector<Item>& items = edge.value->items;
  RawLink link;
  link.line = edge.line;
  for (const char* end : {"source", "target"}) {
    long long id = 0;
    if (Error e = whole_number(find(items, end), file, edge.line, (std::string("the ") + end + " of an edge").c_str(), id))
      return e;
    const auto at = index.find(id);
    if (at == index.end()) return Error::at(file, find(items, end)->line, text_printf("edge %s %lld names no node of the graph", end, id));
    (end[0] == 's' ? link.a : link.b) = at->second;
  }
  out.links.push_back(link);
  return Error();
}

}  // namespace

Error read_gml(std::string_view text, const std::string& file_name, RawNetwork& out) {
  out.form = "GML";
  out.file = out.link_file = file_name;
  std::vector<Item> items;
  Parser parser(text, file_name);
  if (Error e = parser.parse(items)) return e;
  const Item* graph = find(items, "graph");
  if (!graph || graph->value->kind != Value::kList) return Error::of(file_name + ": no graph [ ... ] in the file");
  // Nodes first, wherever they stand: an edge may come before the nodes it joins.
  std::map<long long, int> index;
  for (const Item& item : graph->value->items) {
    if (item.key == "node") {
      if (Error e = read_node(item, file_name, out, index)) return e;
    }
  }
  for (const Item& item : graph->value->items) {
    if (item.key == "edge") {
      if (Error e = read_edge(item, file_name, out, index)) return e;
    }
  }
  if (const Item* directed = find(graph->value->items, "directed");
      directed && directed->value->kind == Value::kNumber && directed->value->number != 0)
    out.notes.push_back(text_printf("%s:%d: the graph is directed: each edge is taken as a span both ways",
                                    file_name.c_str(), directed->line));
  return Error();
}
