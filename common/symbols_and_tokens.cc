#include "symbols_and_tokens.h"

#include <cctype>
#include <cstdio>

#include "program.h"
#include "text_format.h"

namespace {

void check_not_empty(std::string_view text, const char* what) {
  if (text.empty()) {
    throw symbol_error(text_printf("error in init_symbol: strlen(%s)== 0\n", what));
  }
}

// Every occurrence of `find` replaced by `put` in one left-to-right pass.
std::string replace_once_each(std::string_view source, std::string_view find, std::string_view put) {
  std::string out;
  std::size_t pos = 0;
  for (std::size_t hit; (hit = source.find(find, pos)) != std::string_view::npos; pos = hit + find.size()) {
    out.append(source.substr(pos, hit - pos));
    out.append(put);
  }
  out.append(source.substr(pos));
  return out;
}

bool ends_with_option_char(const std::string& text, char option_char) {
  return !text.empty() && text.back() == option_char;
}

}  // namespace

// ---- Symbol list ---------------------------------------------------------

void init_symbol(slist& list, std::string_view symbol, std::string_view definition) {
  check_not_empty(symbol, "symbol");
  check_not_empty(definition, "definition");
  if (!list.empty() && find_symbol_def(list, symbol) != NOT_FOUND) {
    for (symbol_node& node : list) {
      if (node.sstr == symbol) {
        node.dstr = definition;
        return;
      }
    }
  }
  list.insert(list.begin(), symbol_node{std::string(symbol), std::string(definition)});
}

std::string find_symbol_def(const slist& list, std::string_view symbol) {
  for (const symbol_node& node : list) {
    if (node.sstr == symbol) return node.dstr;
  }
  return std::string(NOT_FOUND);
}

std::string match_symbol(const slist& list, std::string_view abbreviation) {
  if (abbreviation.empty()) return std::string(NOT_FOUND);
  int count = 0;
  const symbol_node* last = nullptr;
  for (const symbol_node& node : list) {
    if (node.sstr.starts_with(abbreviation)) {
      ++count;
      last = &node;
    }
  }
  if (count == 0) return std::string(NOT_FOUND);
  if (count > 1) return std::string(AMBIGUOUS);
  return last->sstr;
}

// ---- Command-line parser -------------------------------------------------

void push(int position, position_stack& stack) { stack.push_back(position); }

bool pop(int& position, position_stack& stack) {
  if (stack.empty()) return false;
  position = stack.back();
  stack.pop_back();
  return true;
}

void extract_delimited_string(char open, char close, std::string_view text, int& start, int& length) {
  std::string copy(text);
  if (open == close) {
    // Odd occurrences open, even ones close: mark the closers.
    bool opener = true;
    for (char& c : copy) {
      if (c != open) continue;
      if (!opener) c = TOKEN_DELIMITER;
      opener = !opener;
    }
    close = TOKEN_DELIMITER;
  }
  position_stack stack;
  start = 0;
  length = 255;
  for (std::size_t i = 0; i < copy.size(); ++i) {
    const int k = static_cast<int>(i) + 1;
    if (copy[i] == open) {
      push(k, stack);
    } else if (copy[i] == close) {
      int opened = 0;
      if (!pop(opened, stack)) {
        length = 0;
        return;
      }
      start = opened;
      length = k - opened + 1;
      return;
    }
  }
  if (!stack.empty()) length = 0;
}

cli_outcome cli(std::string& result, slist& options, char option_char,
                const std::vector<std::string>& args) {
  result.clear();
  std::string joined;
  for (const std::string& arg : args) joined += arg;
  std::string text = replace_strs(to_upper(joined) + option_char, " ", "");
  if (text.size() > MAX_COMMAND_TEXT) {
    result = text_printf("CLI error: the command line is %zu characters long, at most %zu are accepted.",
                         text.size(), MAX_COMMAND_TEXT);
    return cli_outcome::too_long;
  }
  const std::string one_option_char(1, option_char);
  while (text.find(option_char) != std::string::npos) {
    int start = 0;
    int length = 0;
    extract_delimited_string(option_char, option_char, text, start, length);
    if (length == 0) {
      // Only the option character appended above is left open: the rest is bare text.
      if (ends_with_option_char(text, option_char)) text.pop_back();
      init_symbol(options, "FIRST_PARAM", text);
      return cli_outcome::parsed;
    }
    const std::string segment = text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length));
    text = replace_strs(text, segment, one_option_char);

    const std::string_view inside = std::string_view(segment).substr(1, segment.size() - 2);
    const std::size_t equals = inside.find('=');
    const bool has_value = equals != std::string_view::npos;
    const std::string name(inside.substr(0, equals));
    const std::string value = has_value ? std::string(inside.substr(equals + 1)) : std::string("TRUE");
    if (name.empty()) continue;

    const std::string symbol = match_symbol(options, name);
    if (symbol == NOT_FOUND || symbol == AMBIGUOUS) {
      result = text_printf("CLI error %s for %c%s.", symbol.c_str(), option_char, name.c_str());
      return cli_outcome::option_error;
    }
    if (symbol.back() == '=' && (!has_value || value.empty())) {
      result = text_printf("CLI option %c%s requires parameter value.", option_char, symbol.c_str());
      return cli_outcome::option_error;
    }
    init_symbol(options, symbol, value);
  }
  return cli_outcome::parsed;
}

// ---- Tokenizer and string helpers ------------------------------------------

std::string tokenize(std::string_view source) {
  std::string tokens = std::string(source) + TOKEN_DELIMITER;
  tokens = replace_chars(tokens, ' ', TOKEN_DELIMITER);
  tokens = replace_chars(tokens, '\t', TOKEN_DELIMITER);
  tokens = replace_strs(tokens, TWO_DELIMITERS, ONE_DELIMITER);
  if (tokens.front() == TOKEN_DELIMITER) tokens.erase(0, 1);
  return tokens;
}

std::string get_token(std::string& tokens) {
  const std::size_t end = tokens.find(TOKEN_DELIMITER);
  if (end == std::string::npos) return std::string(NO_MORE_TOKENS);
  std::string token = tokens.substr(0, end);
  tokens.erase(0, end + 1);
  return token;
}

std::string replace_chars(std::string_view source, char find, char put) {
  std::string out(source);
  for (char& c : out) {
    if (c == find) c = put;
  }
  return out;
}

std::string replace_strs(std::string_view source, std::string_view find, std::string_view put) {
  if (find.empty()) return std::string(source);
  if (put.find(find) != std::string_view::npos) return replace_once_each(source, find, put);
  // Replacing the leftmost occurrence and searching again from the start is
  // the same as streaming the text out and, whenever what was written ends
  // in `find`, taking it back and streaming `put` in its place: no
  // occurrence can begin before the one just replaced.
  std::string out;
  out.reserve(source.size());
  std::vector<std::string_view> pending{source};
  while (!pending.empty()) {
    std::string_view& next = pending.back();
    if (next.empty()) {
      pending.pop_back();
      continue;
    }
    out.push_back(next.front());
    next.remove_prefix(1);
    if (out.size() >= find.size() && std::string_view(out).substr(out.size() - find.size()) == find) {
      out.resize(out.size() - find.size());
      pending.push_back(put);
    }
  }
  return out;
}

char lowercase(char c) {
  return std::isupper(static_cast<unsigned char>(c)) ? static_cast<char>(c + 32) : c;
}

std::string to_lower(std::string_view source) {
  std::string out(source);
  for (char& c : out) c = lowercase(c);
  return out;
}

std::string to_upper(std::string_view source) {
  std::string out(source);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// ---- Fatal stops -------------------------------------------------------------

int run_with_fatal_stops(const std::function<int()>& body) {
  return run_out_of_memory_guarded([&] {
    try {
      return body();
    } catch (const symbol_error& stop) {
      std::fputs(stop.what(), stdout);
      return 5;
    }
  });
}
