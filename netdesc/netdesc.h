// Network description file: the readers of both versions (halvane reads
// version 1, morwick version 2) and halvane's writers of the version-2
// description and its topology companion.
//
// A description is the first line (node count, type keyword), then one block
// per node: its node line and one port line per span end at the node. The
// readers work on the file's text in memory and refuse a malformed file with
// a message naming the file, the line and the node.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "error.h"
#include "lists.h"
#include "textio.h"

// One span end at a node.
struct port_entry {
  std::int32_t other_end = 0;  // number of the node at the other end; 0 is SIM
  std::int32_t working = 0;
  std::int32_t spare = 0;
  float span_length = 0;  // span-length types only
};

struct node_entry {
  std::int32_t number = 0;
  std::string name;
  float delay = 0;  // message processing delay
  std::int32_t repeat_limit = 0;
  float first_coordinate = 0;
  float second_coordinate = 0;
  indexed_list<port_entry> ports;  // keyed 1, 2, 3... in the order of the port lines
};

// One line of a version-2 path section: a working path from its first named
// node to its last.
struct path_line {
  int line = 0;          // the line of the file it was read from
  long long number = 0;  // its running number, as written
  std::vector<std::string> names;  // two or more node names
};

struct net_description {
  long long netsize = 0;  // the node count of the first line
  std::string keyword;    // the type keyword, as read
  indexed_list<node_entry> net;  // node 0, SIM, without ports; then 1 to netsize
  std::vector<path_line> paths;  // the path section (read_net_any, version 2 only)
};

// halvane converts at most this many nodes.
inline constexpr long long HALVANE_NODE_LIMIT = 128;

struct net_read {
  net_description description;
  // "file:line: ..." when the file is refused (no line end).
  Error error;
  // Version 1: the node count is above HALVANE_NODE_LIMIT, so only the first
  // line was read.
  bool over_limit = false;
  // Lines for the user that do not stop the reading (no line ends).
  std::vector<std::string> notes;
};

// Version 1, as halvane reads it: any type keyword; port lines of four
// fields whose other end is a node of the file (0 to the node count).
net_read read_net_v1(std::string_view text, const std::string& file_name);

// Version 2, as morwick reads it: the port lines of the span-length types
// carry the span length as a fifth field; an other end may lie above the
// node count, but not below 0. Any other type keyword than the four of
// version 2 gives a note, and the reading goes on as for V_H2.
net_read read_net_v2(std::string_view text, const std::string& file_name);

// Either version, as the restoration simulators read a description: the
// four version-2 keywords read as version 2 with the path section after the
// node blocks (a path count line, then that many path lines of a running
// number and two or more node names; a file that ends after the node blocks
// has no paths); any other keyword as version 1, without halvane's node
// limit. Path lines are not matched against the node names here.
net_read read_net_any(std::string_view text, const std::string& file_name);

enum class type_mode { plain, span_length, unrecognized };
// plain for V_H2 and L_L2, span_length for V_H2wSpanMiles and L_L2wSpanKms.
type_mode mode_of_keyword(std::string_view keyword);

// The name of a node of the table; its number as text when it has none.
std::string node_name(const net_description& description, long long number);

// Calls visit(node, far_end_name, port) for every span once, from its
// higher-numbered end: for the nodes 1 to netsize in order, the ports, in
// key order, whose far end is below the node's number.
void for_each_span(const net_description& description,
                   const std::function<void(const node_entry&, const std::string&, const port_entry&)>& visit);

// ---- halvane's version-2 writers ----------------------------------------------

// Channel totals of a node, written on its version-2 node line.
struct node_totals {
  long long working = 0;
  long long spare = 0;
  long long internal = 0;  // every working channel is a one-span path ending here
  long long ports = 0;
};
node_totals totals_of(const node_entry& node);

// The first line of the description ("3 V_H2") and of its topology companion
// ("3 V_H_top_2").
void write_first_lines(std::FILE* desc, std::FILE* top, const net_description& description);

// A node line with its totals and number, then its port lines: numbers in
// the description, names in the topology companion.
void write_node_block(std::FILE* desc, std::FILE* top, const net_description& description,
                      const node_entry& node);

// The path count line of both files.
void write_path_count(std::FILE* desc, std::FILE* top, long long path_count);

// One path line, to the description and then to the topology companion.
void write_path_line(std::FILE* desc, std::FILE* top, long long number, const std::string& from,
                     const std::string& to);

// ---- What halvane and morwick share around their readers --------------------

// The whole program halvane or morwick, fatal stops included: the command
// line parsed by cli with the option character '/' and FIRST_PARAM as the
// only symbol, then the conversion of the named description file (named
// upper-cased, as cli leaves it). cli's message is printed (every one when
// print_option_errors, else only the refusal of an overlong command line),
// and "Required net definition filename found on command line!" with status
// 1 when no name was stored. Returns the exit status.
int run_description_program(int argc, char** argv, bool print_option_errors,
                            int (*convert)(const std::string& file_name));

// The description file read whole and parsed by `reader` (read_net_v1 or
// read_net_v2), its notes printed. Empty when it cannot be read ("can not
// open NAME" printed) or is refused (the error printed).
std::optional<net_read> load_description(const std::string& name,
                                         net_read (*reader)(std::string_view, const std::string&));

// The output files of a run, created (or truncated) one after the other and
// finished together.
class output_files {
 public:
  // `input` is the file the outputs are made from.
  explicit output_files(std::string input) : input_(std::move(input)) {}

  // True, after "NAME is the input file; it is left as it is", when one of
  // the outputs to come is the input: checked before any is created, so
  // that a refused run leaves the outputs of an earlier one as they were.
  bool any_is_input(const std::vector<std::string>& names) const;
  // Creates the next output; null, after "can not open NAME", when it
  // cannot be created, or after "NAME is the input file; it is left as it
  // is" when it is the input under another name.
  std::FILE* create(const std::string& name);
  // Flushes and closes every output; prints "can not write NAME" for each
  // whose writing failed. True when all were written.
  bool finish();

 private:
  std::string input_;
  std::vector<std::pair<std::string, File>> files_;
};
