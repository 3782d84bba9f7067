#include "netdesc.h"

#include <climits>
#include <cstdint>
#include <memory>
#include <vector>

#include "scanner.h"
#include "symbols_and_tokens.h"
#include "textio.h"
#include "wholefile.h"

namespace {

// The lines of the file's text, counted from 1.
struct line_cursor {
  line_cursor(std::string_view t, const std::string& name) : text(t), file_name(name) {}

  std::string_view text;
  const std::string& file_name;
  std::size_t pos = 0;
  int line_no = 0;
  std::string line;

  bool next_line() {
    if (!read_line(text, pos, line)) {
      ++line_no;  // a missing line is named after the last one
      return false;
    }
    ++line_no;
    return true;
  }
  // "file:line: what" for the line read last.
  Error at(const std::string& what) const { return Error::at(file_name, line_no, what); }
};

// The fields of one node line or port line, taken off one at a time. The
// first field that is missing or not a number leaves its description in
// `problem`.
struct field_reader {
  std::string tokens;
  int field = 0;
  std::string problem;

  explicit field_reader(const std::string& line) : tokens(tokenize(line)) {}

  bool next(std::string& token, const char* what) {
    token = get_token(tokens);
    ++field;
    if (token == NO_MORE_TOKENS) {
      problem = "field " + std::to_string(field) + " (" + what + ") is missing";
      return false;
    }
    return true;
  }
  bool not_a_number(const std::string& token, const char* what, const char* kind) {
    problem = "field " + std::to_string(field) + " (" + what + ") is not " + kind + ": \"" + token + "\"";
    return false;
  }
  bool skip(const char* what) {
    std::string token;
    return next(token, what);
  }
  bool word(std::string& value, const char* what) { return next(value, what); }
  // A whole number as "%d" reads it: anything after its digits is left.
  bool whole(std::int32_t& value, const char* what) {
    std::string token;
    if (!next(token, what)) return false;
    const std::optional<int> n = FieldScanner(token).next_int();
    if (!n) {
      // Digits that do not read are beyond 32 bits.
      const std::size_t d = token[0] == '+' || token[0] == '-' ? 1 : 0;
      const bool digits = d < token.size() && token[d] >= '0' && token[d] <= '9';
      return not_a_number(token, what, digits ? "a whole number of 32 bits" : "a whole number");
    }
    value = *n;
    return true;
  }
  // A single-precision real as "%f" reads it.
  bool real(float& value, const char* what) {
    std::string token;
    if (!next(token, what)) return false;
    const std::optional<float> n = FieldScanner(token).next_float();
    if (!n) return not_a_number(token, what, "a number");
    value = *n;
    return true;
  }
};

// The node count and the type keyword, as "%ld %s" reads them from the
// first line; the rest of the line is skipped. A count beyond the range of
// long long is read as its nearest end, and `count_text` keeps it as typed.
bool parse_first_line(const std::string& line, long long& count, std::string& count_text, std::string& keyword) {
  FieldScanner f(line);
  const std::optional<long long> n = f.next_int64_clamped();
  if (!n) return false;
  count_text = f.last_field();
  const std::optional<std::string> word = f.next_word();
  if (!word) return false;
  count = *n;
  keyword = *word;
  return true;
}

struct block_rules {
  bool span_lengths = false;       // port lines carry field 5
  long long highest_other_end = 0;  // the highest node number a port may name
};

std::string node_label(long long n, const std::string& name) {
  return "node " + std::to_string(n) + " (" + name + ")";
}

Error read_port(line_cursor& c, const node_entry& node, int k, std::int32_t port_count, const block_rules& rules,
                port_entry& port) {
  if (!c.next_line()) {
    return c.at(node_label(node.number, node.name) + ": expected port line " + std::to_string(k) + " of " +
                std::to_string(port_count) + ", found the end of the file");
  }
  field_reader f(c.line);
  const bool ok = f.whole(port.other_end, "other end") && f.skip("span flag") &&
                  f.whole(port.working, "working channels") && f.whole(port.spare, "spare channels") &&
                  (!rules.span_lengths || f.real(port.span_length, "span length"));
  const std::string place = node_label(node.number, node.name) + ", port " + std::to_string(k) + ": ";
  if (!ok) {
    std::string what = place + f.problem;
    if (f.field == 5) what += "\nError: the net file does not have link distance field";
    return c.at(what);
  }
  if (port.other_end < 0 || port.other_end > rules.highest_other_end)
    return c.at(place + "other end " + std::to_string(port.other_end) + " names no node");
  return Error();
}

Error read_node_block(line_cursor& c, std::int32_t n, const block_rules& rules, node_entry& node) {
  node.number = n;
  if (!c.next_line())
    return c.at("node " + std::to_string(n) + ": expected its node line, found the end of the file");
  field_reader f(c.line);
  if (!f.word(node.name, "name"))
    return c.at("node " + std::to_string(n) + ": expected its node line, found an empty line");
  std::int32_t port_count = 0;
  if (!(f.whole(port_count, "port count") && f.real(node.delay, "message processing delay") &&
        f.whole(node.repeat_limit, "repeat limit") && f.real(node.first_coordinate, "first coordinate") &&
        f.real(node.second_coordinate, "second coordinate")))
    return c.at(node_label(n, node.name) + ": " + f.problem);
  if (port_count < 0) {
    // Its port lines would be read as the next node's lines.
    return c.at(node_label(n, node.name) + ": field 2 (port count) is negative: " + std::to_string(port_count));
  }
  init_list(node.ports);
  for (std::int32_t k = 1; k <= port_count; ++k) {
    auto port = std::make_unique<port_entry>();
    if (Error error = read_port(c, node, k, port_count, rules, *port)) return error;
    add_list(node.ports, std::move(port), k);
  }
  return Error();
}

// The path section after the node blocks: a path count line, then the path
// lines. Nothing at all after the blocks is an empty section.
Error read_path_section(line_cursor& c, std::vector<path_line>& paths) {
  do {
    if (!c.next_line()) return Error();
  } while (FieldScanner(c.line).at_end());
  FieldScanner count_field(c.line);
  const std::optional<long long> count = count_field.next_whole_word(64);
  if (!count || *count < 0) return c.at("expected the path count, found \"" + std::string(without_line_end(c.line)) + "\"");
  for (long long k = 1; k <= *count; ++k) {
    if (!c.next_line())
      return c.at("expected path line " + std::to_string(k) + " of " + std::to_string(*count) + ", found the end of the file");
    FieldScanner f(c.line);
    path_line path;
    path.line = c.line_no;
    const std::optional<long long> number = f.next_whole_word(64);
    if (!number) return c.at("path line " + std::to_string(k) + ": expected its running number, found \"" + f.last_word() + "\"");
    path.number = *number;
    while (std::optional<std::string> name = f.next_word()) path.names.push_back(std::move(*name));
    if (path.names.size() < 2) return c.at("path " + std::to_string(path.number) + ": names fewer than two nodes");
    paths.push_back(std::move(path));
  }
  return Error();
}

// Reads the first line and, unless the node count is above halvane's limit
// (version 1 with `node_limit`), the node blocks; then, when `with_paths`,
// the path section.
net_read read_description(std::string_view text, const std::string& file_name, bool version1,
                          bool node_limit = true, bool with_paths = false) {
  net_read result;
  net_description& d = result.description;
  init_list(d.net);
  auto sim = std::make_unique<node_entry>();
  sim->name = "SIM";
  add_list(d.net, std::move(sim), 0);

  line_cursor c(text, file_name);
  std::string count_text;
  if (!c.next_line() || !parse_first_line(c.line, d.netsize, count_text, d.keyword)) {
    result.error = c.at("expected the node count and the type keyword");
    return result;
  }
  // Any count above halvane's limit is refused by the limit, however large.
  if (version1 && node_limit && d.netsize > HALVANE_NODE_LIMIT && d.netsize < LLONG_MAX) {
    result.over_limit = true;
    return result;
  }
  if (d.netsize < 0 || d.netsize > INT32_MAX) {
    result.error = c.at("the node count " + count_text + " is out of range");
    return result;
  }
  const type_mode mode = mode_of_keyword(d.keyword);
  if (!version1 && mode == type_mode::unrecognized) {
    result.notes.push_back("unrecongized file type=" + d.keyword +
                           "\n This program recognizes V_H2, L_L2, V_H2wSpanMiles, and L_L2wSpanKms.");
  }
  block_rules rules;
  rules.span_lengths = !version1 && mode == type_mode::span_length;
  rules.highest_other_end = version1 ? d.netsize : INT32_MAX;
  for (std::int32_t n = 1; n <= d.netsize; ++n) {
    auto node = std::make_unique<node_entry>();
    result.error = read_node_block(c, n, rules, *node);
    if (result.error) return result;
    add_list(d.net, std::move(node), n);
  }
  if (with_paths) result.error = read_path_section(c, d.paths);
  return result;
}

}  // namespace

net_read read_net_any(std::string_view text, const std::string& file_name) {
  // The first word after the node count decides the version.
  FieldScanner f(text);
  std::string keyword;
  if (f.next_int64_clamped()) keyword = f.next_word().value_or("");
  const bool version2 = mode_of_keyword(keyword) != type_mode::unrecognized;
  return read_description(text, file_name, !version2, false, version2);
}

net_read read_net_v1(std::string_view text, const std::string& file_name) {
  return read_description(text, file_name, true);
}

net_read read_net_v2(std::string_view text, const std::string& file_name) {
  return read_description(text, file_name, false);
}

type_mode mode_of_keyword(std::string_view keyword) {
  if (keyword == "V_H2" || keyword == "L_L2") return type_mode::plain;
  if (keyword == "V_H2wSpanMiles" || keyword == "L_L2wSpanKms") return type_mode::span_length;
  return type_mode::unrecognized;
}

std::string node_name(const net_description& description, long long number) {
  const node_entry* node = number < INT32_MIN || number > INT32_MAX
                               ? nullptr
                               : recall_list(description.net, static_cast<std::int32_t>(number));
  return node ? node->name : std::to_string(number);
}

void for_each_span(const net_description& description,
                   const std::function<void(const node_entry&, const std::string&, const port_entry&)>& visit) {
  for (std::int32_t i = 1; i <= description.netsize; ++i) {
    const node_entry& node = *recall_list(description.net, i);
    for (std::size_t k = 0; k < node.ports.size(); ++k) {
      const port_entry& port = node.ports.at(k);
      if (port.other_end < i) visit(node, node_name(description, port.other_end), port);
    }
  }
}

// ---- halvane's version-2 writers ----------------------------------------------
// Totals are summed in long long and written with %lld: the same text as
// %d for every total that fits, and no overflow for those that do not.

node_totals totals_of(const node_entry& node) {
  node_totals t;
  for (std::size_t k = 0; k < node.ports.size(); ++k) {
    t.working += node.ports.at(k).working;
    t.spare += node.ports.at(k).spare;
  }
  t.internal = t.working;
  t.ports = t.working + t.spare + t.internal;
  return t;
}

void write_first_lines(std::FILE* desc, std::FILE* top, const net_description& description) {
  std::fprintf(desc, "%lld %s2\n", description.netsize, description.keyword.c_str());
  std::fprintf(top, "%lld %s_top_2\n", description.netsize, description.keyword.c_str());
}

void write_node_block(std::FILE* desc, std::FILE* top, const net_description& description,
                      const node_entry& node) {
  const node_totals t = totals_of(node);
  for (std::FILE* f : {desc, top}) {
    std::fprintf(f, "%s %d %f %d %f %f %lld %lld %lld %lld %d\n", node.name.c_str(),
                 static_cast<int>(node.ports.size()), node.delay, node.repeat_limit, node.first_coordinate,
                 node.second_coordinate, t.working, t.spare, t.internal, t.ports, node.number);
  }
  for (std::size_t k = 0; k < node.ports.size(); ++k) {
    const port_entry& port = node.ports.at(k);
    std::fprintf(desc, "    %d 1 %d %d\n", port.other_end, port.working, port.spare);
    std::fprintf(top, "    %s 1 %d %d\n", node_name(description, port.other_end).c_str(), port.working,
                 port.spare);
  }
}

void write_path_count(std::FILE* desc, std::FILE* top, long long path_count) {
  std::fprintf(desc, "%lld\n", path_count);
  std::fprintf(top, "%lld\n", path_count);
}

void write_path_line(std::FILE* desc, std::FILE* top, long long number, const std::string& from,
                     const std::string& to) {
  std::fprintf(desc, "%lld %s %s\n", number, from.c_str(), to.c_str());
  std::fprintf(top, "%lld %s %s\n", number, from.c_str(), to.c_str());
}

// ---- What halvane and morwick share around their readers --------------------

namespace {

std::optional<std::string> description_file_name(const std::vector<std::string>& args, bool print_option_errors) {
  slist options;
  init_symbol(options, "FIRST_PARAM", NOT_FOUND);
  std::string result;
  const cli_outcome outcome = cli(result, options, '/', args);
  if (!result.empty() && (print_option_errors || outcome == cli_outcome::too_long)) {
    std::printf("%s\n", result.c_str());
  }
  std::string name = find_symbol_def(options, "FIRST_PARAM");
  if (name == NOT_FOUND) {
    std::printf("Required net definition filename found on command line!\n");
    return std::nullopt;
  }
  return name;
}

}  // namespace

int run_description_program(int argc, char** argv, bool print_option_errors,
                            int (*convert)(const std::string& file_name)) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return run_with_fatal_stops([&] {
    const std::optional<std::string> name = description_file_name(args, print_option_errors);
    return name ? convert(*name) : 1;
  });
}

std::optional<net_read> load_description(const std::string& name,
                                         net_read (*reader)(std::string_view, const std::string&)) {
  const std::optional<std::string> text = read_whole_file(name);
  if (!text) {
    std::printf("can not open %s\n", name.c_str());
    return std::nullopt;
  }
  net_read read = reader(*text, name);
  for (const std::string& note : read.notes) std::printf("%s\n", note.c_str());
  if (read.error) {
    std::printf("%s\n", read.error.text().c_str());
    return std::nullopt;
  }
  return read;
}

bool output_files::any_is_input(const std::vector<std::string>& names) const {
  for (const std::string& name : names) {
    if (same_file(name, input_)) {
      std::printf("%s is the input file; it is left as it is\n", name.c_str());
      return true;
    }
  }
  return false;
}

std::FILE* output_files::create(const std::string& name) {
  if (any_is_input({name})) return nullptr;
  File f = open_file(name, "w");
  if (!f) {
    std::printf("can not open %s\n", name.c_str());
    return nullptr;
  }
  files_.emplace_back(name, std::move(f));
  return files_.back().second.get();
}

bool output_files::finish() {
  bool all = true;
  for (auto& [name, file] : files_) {
    if (!finish_writing(file)) {
      std::printf("can not write %s\n", name.c_str());
      all = false;
    }
  }
  return all;
}
