// The tokenizer and string helpers on any bytes: every token string is
// taken apart to its end, and the helpers that the parser uses are run on
// the first line with the rest as the text to find.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "symbols_and_tokens.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = fuzz_text(data, size);
  std::string tokens = tokenize(text);
  // No empty token, and each one takes one delimiter off.
  // (A source byte 0x1A makes a token that reads as NO_MORE_TOKENS, so the
  // loop goes by what is left.)
  while (!tokens.empty()) {
    const std::string token = get_token(tokens);
    if (token.empty() || token.find(TOKEN_DELIMITER) != std::string::npos) __builtin_trap();
  }
  if (get_token(tokens) != NO_MORE_TOKENS) __builtin_trap();

  const std::size_t cut = text.find('\n');
  const std::string_view source = text.substr(0, cut);
  const std::string_view find = cut == std::string_view::npos ? std::string_view() : text.substr(cut + 1, 4);
  // Shorter than the text it replaces, as every caller has it: the
  // replacing ends.
  const std::string_view put =
      cut == std::string_view::npos || find.empty() ? std::string_view() : text.substr(cut + 1 + find.size(), find.size() - 1);
  replace_strs(source, find, put);
  replace_strs(source, TWO_DELIMITERS, ONE_DELIMITER);
  to_lower(source);
  to_upper(source);
  int start = 0;
  int length = 0;
  if (!source.empty()) {
    extract_delimited_string(source[0], source[0], source, start, length);
    extract_delimited_string('(', ')', source, start, length);
  }
  return 0;
}
