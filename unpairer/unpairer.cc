#include "unpairer.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "scanner.h"
#include "text_format.h"
#include "textio.h"
#include "wholefile.h"

namespace {

constexpr int kStatusSyntax = 1;
constexpr int kStatusFile = 5;
constexpr int kStatusWrite = 1;

// The spare header of the single form: 26 characters.
constexpr const char* kSpareHeader = "        DS3\nN1  N2  LINK#\n";

// Reads the input for one pass; reports it when it cannot be read.
std::optional<std::string> read_input(const std::string& in_name) {
  std::optional<std::string> text = read_whole_file(in_name);
  if (!text) std::printf("can not open %s\n", in_name.c_str());
  return text;
}

void write_pass(std::string_view text, const std::string& in_name, std::FILE* out, std::size_t first_field) {
  SpanPass pass = unpair_pass(text, in_name, first_field);
  for (const std::string& message : pass.skipped) std::printf("%s\n", message.c_str());
  std::fputs(pass.lines.c_str(), out);
}

// Why a data line without `needed` numbers is skipped: the first of its
// fields that is no whole number of 32 bits, or that it has too few fields.
std::string skip_reason(std::string_view line, std::size_t needed) {
  FieldScanner words(line);
  for (std::size_t field = 1; field <= needed && !words.at_end(); ++field) {
    if (!words.next_whole_word(32))
      return "field " + std::to_string(field) + " is not " + whole_number_of(32) + ": " + words.last_word();
  }
  return "fewer than " + std::to_string(needed) + " numbers";
}

// The leading whole numbers of a line as "%d %d ..." reads them, at most
// `needed` of them.
std::vector<int> leading_numbers(std::string_view line, std::size_t needed) {
  FieldScanner fields(line);
  std::vector<int> numbers;
  while (numbers.size() < needed) {
    std::optional<int> n = fields.next_int();
    if (!n) break;
    numbers.push_back(*n);
  }
  return numbers;
}

}  // namespace

SpanPass unpair_pass(std::string_view text, const std::string& name, std::size_t first_field) {
  const std::size_t needed = first_field + 3;
  SpanPass pass;
  std::string line;
  std::size_t pos = 0;
  int line_no = 0;
  while (read_line(text, pos, line)) {
    if (++line_no <= 2) continue;
    const std::vector<int> n = leading_numbers(line, needed);
    if (n.size() < needed) {
      pass.skipped.push_back(name + ":" + std::to_string(line_no) + ": " + skip_reason(line, needed) +
                             ", line skipped");
      continue;
    }
    pass.lines += text_printf("%-3d %-3d %d\n", n[first_field], n[first_field + 1], n[first_field + 2]);
  }
  return pass;
}

int unpairer_main(int argc, char** argv) {
  if (argc != 3) {
    std::printf("command syntax: unpairer spare2in1lineFile spare1in1lineFile \n");
    return kStatusSyntax;
  }
  const std::string in_name = argv[1];
  const std::string out_name = argv[2];
  std::printf("old spare file is %s\n", in_name.c_str());
  std::printf("new spare file is %s\n", out_name.c_str());

  if (same_file(in_name, out_name)) {
    std::printf("new spare file %s is the old spare file; it is left as it is\n", out_name.c_str());
    return kStatusFile;
  }
  // The input is read before the output is created, so that a missing
  // input leaves no output behind. It is read again for the second spans.
  std::optional<std::string> text = read_input(in_name);
  if (!text) return kStatusFile;
  File out = open_file(out_name, "w");
  if (!out) {
    std::printf("can not open %s\n", out_name.c_str());
    return kStatusFile;
  }
  std::fputs(kSpareHeader, out.get());
  write_pass(*text, in_name, out.get(), 0);
  text = read_input(in_name);
  if (!text) return kStatusFile;
  write_pass(*text, in_name, out.get(), 3);
  if (!finish_writing(out)) {
    std::printf("can not write %s\n", out_name.c_str());
    return kStatusWrite;
  }
  return 0;
}
