// Text utilities of halvane and morwick: the symbol list that holds their
// command-line settings, the command-line parser that fills it, and the
// tokenizer and string helpers that their network description readers use.
//
// Every helper returns its result as a new string and never changes its
// source, so calls nest and a source may be the very string that receives
// the result.
#pragma once

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// ---- Symbol list ---------------------------------------------------------

// Marker texts answered in place of a definition or a symbol (20 characters
// each). A program may also store NOT_FOUND as a definition: a lookup then
// answers NOT_FOUND until a real definition is stored in front of it.
inline constexpr std::string_view NOT_FOUND{">}SYMBOL-NOT-FOUND{<"};
inline constexpr std::string_view AMBIGUOUS{">}AMBIGUOUS-SYMBOL{<"};

// One entry: a symbol (compared exactly, case included) and its definition,
// both at least one character long.
struct symbol_node {
  std::string sstr;
  std::string dstr;
};

// A symbol list: the first entry is the one looked at first.
using slist = std::vector<symbol_node>;

// Thrown by init_symbol for an empty symbol or definition. what() is the
// whole message, line end included; the program prints it on standard
// output and ends with status 5 (see run_with_fatal_stops).
class symbol_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Defines the symbol, or gives it a new definition. A symbol whose current
// definition is the NOT_FOUND text gets a new entry in front of the list,
// which hides the old one from find_symbol_def (match_symbol counts both).
void init_symbol(slist& list, std::string_view symbol, std::string_view definition);

// The definition of the first entry with exactly that symbol, else NOT_FOUND.
std::string find_symbol_def(const slist& list, std::string_view symbol);

// The full symbol of the only entry that begins with the abbreviation;
// NOT_FOUND when none does (an empty abbreviation begins none), AMBIGUOUS
// when several do. An exact match has no preference: with B and BW defined,
// B is ambiguous.
std::string match_symbol(const slist& list, std::string_view abbreviation);

// ---- Command-line parser -------------------------------------------------

// The longest command text that cli accepts.
inline constexpr std::size_t MAX_COMMAND_TEXT = 255;

enum class cli_outcome {
  parsed,        // all options stored, the bare text stored under FIRST_PARAM
  option_error,  // an unknown, ambiguous or value-less option: parsing stopped there
  too_long,      // the command text exceeds MAX_COMMAND_TEXT: nothing stored
};

// Parses the arguments (those after the program name) into the options
// list. The command text is the arguments joined without separator,
// upper-cased, with one option character appended and every blank removed.
// Each option_char NAME[=VALUE] option_char segment is stored under the
// symbol that NAME abbreviates (value TRUE without "="); whatever is left is
// stored under FIRST_PARAM. `result` is emptied, or receives a one-line
// message (no line end) when the outcome is not `parsed`. An empty bare
// text or option value reaches init_symbol, which throws symbol_error.
cli_outcome cli(std::string& result, slist& options, char option_char,
                const std::vector<std::string>& args);

// Position stack of extract_delimited_string.
using position_stack = std::vector<int>;
void push(int position, position_stack& stack);
// Takes the top position off; false when the stack is empty.
bool pop(int& position, position_stack& stack);

// Finds the first complete segment opened by `open` and closed by `close`:
// start is the 1-based position of its opening character and length its
// length, delimiters included. Length 0 means an opening character without
// a closing one, 255 no opening character at all (start is 0 in both cases).
// When open and close are the same character, its odd occurrences open and
// its even ones close.
void extract_delimited_string(char open, char close, std::string_view text, int& start, int& length);

// ---- Tokenizer and string helpers ------------------------------------------

// Ends each token in a token string; a 0xAD byte in a source acts as a blank.
inline constexpr char TOKEN_DELIMITER = '\xAD';
inline constexpr std::string_view ONE_DELIMITER{"\xAD"};
inline constexpr std::string_view TWO_DELIMITERS{"\xAD\xAD"};
// What get_token hands out once the token string is used up; no number
// conversion accepts it.
inline constexpr std::string_view NO_MORE_TOKENS{"\x1A"};

// The token string of a source: its blank- and tab-separated words, each
// followed by one TOKEN_DELIMITER. Carriage returns and other bytes stay
// part of their token. Blank lines give the empty token string.
std::string tokenize(std::string_view source);

// Takes the first token off the token string and returns it; NO_MORE_TOKENS
// (the token string unchanged) when none is left.
std::string get_token(std::string& tokens);

// The source with every `find` character replaced by `put`.
std::string replace_chars(std::string_view source, char find, char put);

// The source with the leftmost occurrence of `find` replaced by `put`, again
// and again until none is left, so earlier replacements take part in later
// matches (two delimiters to one collapses a run of any length). An empty
// `find` leaves the source unchanged. `put` must not contain `find`: such a
// call would never end, so it is done as one left-to-right pass instead.
std::string replace_strs(std::string_view source, std::string_view find, std::string_view put);

// A to Z folded to a to z; every other byte unchanged.
char lowercase(char c);
std::string to_lower(std::string_view source);
// a to z folded to A to Z; every other byte unchanged.
std::string to_upper(std::string_view source);

// ---- Fatal stops -------------------------------------------------------------

// Runs a program's body and turns the fatal stops of these utilities into
// its exit: a symbol_error prints its message on standard output and gives
// status 5; exhausted memory is reported on standard error and gives 1.
int run_with_fatal_stops(const std::function<int()>& body);
