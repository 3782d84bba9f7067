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
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

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

struct net_description {
  long long netsize = 0;  // the node count of the first line
  std::string keyword;    // the type keyword, as read
  indexed_list<node_entry> net;  // node 0, SIM, without ports; then 1 to netsize
};

// halvane converts at most this many nodes.
inline constexpr long long HALVANE_NODE_LIMIT = 128;

struct net_read {
  net_description description;
  // "file:line: ..." when the file is refused (no line end); empty otherwise.
  std::string error;
  // Version 1: the node count is above HALVANE_NODE_LIMIT, so only the first
  // line was read.
  bool over_limit = false;
};

// Version 1, as halvane reads it: any type keyword; port lines of four
// fields whose other end is a node of the file (0 to the node count).
net_read read_net_v1(std::string_view text, const std::string& file_name);

// Version 2, as morwick reads it: the port lines of the span-length types
// carry the span length as a fifth field; an other end may lie above the
// node count, but not below 0.
net_read read_net_v2(std::string_view text, const std::string& file_name);

enum class type_mode { plain, span_length, unrecognized };
// plain for V_H2 and L_L2, span_length for V_H2wSpanMiles and L_L2wSpanKms.
type_mode mode_of_keyword(std::string_view keyword);

// The name of a node of the table; its number as text when it has none.
std::string node_name(const net_description& description, long long number);

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

// The description file named on the command line of halvane or morwick,
// parsed by cli with the option character '/' and FIRST_PARAM as the only
// symbol. Prints cli's message (every one when print_option_errors, else
// only the refusal of an overlong command line), and "Required net
// definition filename found on command line!" when no name was stored, which
// leaves the answer empty. The name comes upper-cased.
std::optional<std::string> description_file_name(const std::vector<std::string>& args, bool print_option_errors);

// Creates (or truncates) an output file; prints "can not open NAME" when it
// cannot be created.
File create_output(const std::string& name);

// Finishes the written outputs; prints "can not write NAME" for each that
// failed. True when all were written.
bool finish_outputs(std::initializer_list<std::pair<File*, const std::string*>> outputs);
