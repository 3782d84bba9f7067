#include "sndlib.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <vector>

#include "words.h"
#include "text_format.h"

namespace {

struct Token {
  std::string text;
  int line = 0;
};

std::vector<Token> tokens_of(std::string_view text) {
  std::vector<Token> tokens;
  int line = 1;
  std::size_t pos = 0;
  // The first line names the form; it is no part of any section.
  if (text.substr(0, 1) == "?") {
    pos = text.find('\n');
    if (pos == std::string_view::npos) return tokens;
  }
  while (pos < text.size()) {
    const char c = text[pos];
    if (c == '\n') {
      ++line;
      ++pos;
    } else if (c == '#') {
      while (pos < text.size() && text[pos] != '\n') ++pos;
    } else if (std::isspace(static_cast<unsigned char>(c))) {
      ++pos;
    } else if (c == '(' || c == ')') {
      tokens.push_back({std::string(1, c), line});
      ++pos;
    } else {
      const std::size_t start = pos;
      while (pos < text.size() && !std::isspace(static_cast<unsigned char>(text[pos])) && text[pos] != '(' &&
             text[pos] != ')' && text[pos] != '#')
        ++pos;
      tokens.push_back({std::string(text.substr(start, pos - start)), line});
    }
  }
  return tokens;
}

bool is_section_name(const std::string& word) {
  for (const char* name : {"META", "NODES", "LINKS", "DEMANDS", "ADMISSIBLE_PATHS"}) {
    if (word == name) return true;
  }
  return false;
}

class Reader {
 public:
  Reader(std::vector<Token> tokens, const std::string& file, RawNetwork& out)
      : t_(std::move(tokens)), file_(file), out_(out) {}

  Error read() {
    while (k_ < t_.size()) {
      const Token name = t_[k_++];
      if (name.text == "(" || name.text == ")")
        return Error::at(file_, name.line, "expected the name of a section, found '" + name.text + "'");
      if (Error e = expect("(", "after the section name " + name.text)) return e;
      Error e;
      if (name.text == "NODES") {
        e = entries(name, [this] { return node(); });
      } else if (name.text == "LINKS") {
        e = entries(name, [this] { return link(); });
      } else if (name.text == "DEMANDS") {
        out_.has_demands = true;
        e = entries(name, [this] { return demand(); });
      } else {
        e = skip_section(name);
      }
      if (e) return e;
    }
    return Error();
  }

 private:
  // The entries of a section up to its closing ')'.
  template <typename Entry>
  Error entries(const Token& section, Entry entry) {
    for (;;) {
      if (k_ == t_.size()) return never_closed(section);
      if (t_[k_].text == ")") {
        ++k_;
        return Error();
      }
      if (k_ + 1 < t_.size() && t_[k_ + 1].text == "(" && is_section_name(t_[k_].text))
        return Error::at(file_, section.line, "the section " + section.text + " opened here is never closed before " + t_[k_].text);
      if (Error e = entry()) return e;
    }
  }

  Error skip_section(const Token& section) {
    for (int depth = 1; depth > 0; ++k_) {
      if (k_ == t_.size()) return never_closed(section);
      if (t_[k_].text == "(") ++depth;
      if (t_[k_].text == ")") --depth;
    }
    return Error();
  }

  Error never_closed(const Token& section) const {
    return Error::at(file_, section.line, "the section " + section.text + " opened here is never closed");
  }

  Error expect(const std::string& what, const std::string& where) {
    if (k_ == t_.size()) return Error::at(file_, last_line(), "the file ends; expected '" + what + "' " + where);
    if (t_[k_].text != what) return Error::at(file_, t_[k_].line, "expected '" + what + "' " + where + ", found '" + shown(t_[k_].text) + "'");
    ++k_;
    return Error();
  }

  Error word(std::string& out, const std::string& what) {
    if (k_ == t_.size()) return Error::at(file_, last_line(), "the file ends; expected " + what);
    if (t_[k_].text == "(" || t_[k_].text == ")")
      return Error::at(file_, t_[k_].line, "expected " + what + ", found '" + t_[k_].text + "'");
    out = t_[k_++].text;
    return Error();
  }

  Error number(double& out, const std::string& what) {
    std::string text;
    const int line = k_ < t_.size() ? t_[k_].line : 0;
    if (Error e = word(text, what)) return e;
    if (!parse_decimal(text, out)) return Error::at(file_, line, what + " is not a number: '" + shown(text) + "'");
    return Error();
  }

  Error node() {
    RawNode n;
    n.line = t_[k_].line;
    if (Error e = word(n.label, "a node name")) return e;
    n.key = n.label;
    if (Error e = expect("(", "after the node name " + shown(n.label))) return e;
    if (Error e = number(n.longitude, "the longitude of " + shown(n.label))) return e;
    if (Error e = number(n.latitude, "the latitude of " + shown(n.label))) return e;
    if (Error e = expect(")", "after the coordinates of " + shown(n.label))) return e;
    if (std::fabs(n.longitude) > 180.0 || std::fabs(n.latitude) > 90.0)
      return Error::at(file_, n.line, "node " + shown(n.label) + ": coordinates (longitude latitude) outside -180..180, -90..90");
    n.located = true;
    const auto [at, added] = index_.emplace(n.key, static_cast<int>(out_.nodes.size()));
    if (!added) return Error::at(file_, n.line, text_printf("node %s is given twice (first on line %d)", shown(n.key).c_str(), out_.nodes[at->second].line));
    out_.nodes.push_back(std::move(n));
    return Error();
  }

  // "id ( a b )", the two ends as node indices; the line of the ')'.
  Error ends(int& a, int& b, int& line) {
    std::string id;
    if (Error e = word(id, "an id")) return e;
    if (Error e = expect("(", "after " + shown(id))) return e;
    for (int* end : {&a, &b}) {
      std::string name;
      const int at_line = k_ < t_.size() ? t_[k_].line : 0;
      if (Error e = word(name, "a node name in " + shown(id))) return e;
      const auto at = index_.find(name);
      if (at == index_.end()) return Error::at(file_, at_line, shown(id) + " names the node " + shown(name) + ", which is not in NODES");
      *end = at->second;
    }
    line = k_ < t_.size() ? t_[k_].line : 0;
    return expect(")", "after the two ends of " + shown(id));
  }

  // The fields after "id ( a b )" on the same line, a list in parentheses
  // counting as one field.
  std::vector<std::string> rest_of_line(int line) {
    std::vector<std::string> fields;
    while (k_ < t_.size() && t_[k_].line == line && t_[k_].text != ")") {
      if (t_[k_].text == "(") {
        for (int depth = 0; k_ < t_.size();) {
          if (t_[k_].text == "(") ++depth;
          if (t_[k_++].text == ")" && --depth == 0) break;
        }
        fields.emplace_back("(...)");
      } else {
        fields.push_back(t_[k_++].text);
      }
    }
    return fields;
  }

  Error link() {
    RawLink l;
    l.line = t_[k_].line;
    int end_line = 0;
    if (Error e = ends(l.a, l.b, end_line)) return e;
    rest_of_line(end_line);
    out_.links.push_back(l);
    return Error();
  }

  Error demand() {
    RawDemand d;
    d.line = t_[k_].line;
    int end_line = 0;
    if (Error e = ends(d.a, d.b, end_line)) return e;
    const std::vector<std::string> fields = rest_of_line(end_line);
    if (fields.size() < 2) return Error::at(file_, d.line, "expected a routing unit and a demand value after the two ends");
    if (!parse_decimal(fields[1], d.value) || d.value < 0 || d.value > 1.0e12)
      return Error::at(file_, d.line, "the demand value '" + shown(fields[1]) + "' is not a number from 0 to 1e12");
    out_.demands.push_back(d);
    return Error();
  }

  int last_line() const { return t_.empty() ? 1 : t_.back().line; }

  std::vector<Token> t_;
  const std::string& file_;
  RawNetwork& out_;
  std::size_t k_ = 0;
  std::map<std::string, int> index_;
};

}  // namespace

Error read_sndlib(std::string_view text, const std::string& file_name, RawNetwork& out) {
  out.form = "SNDlib native";
  out.file = out.link_file = file_name;
  return Reader(tokens_of(text), file_name, out).read();
}
