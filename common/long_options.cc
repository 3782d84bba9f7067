#include "long_options.h"

LongOptions parse_long_options(int argc, char** argv, const std::vector<LongOption>& known) {
  LongOptions parsed;
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (options_done || arg.size() < 2 || arg[0] != '-') {
      parsed.names.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_done = true;
      continue;
    }
    const LongOption* option = nullptr;
    for (const LongOption& o : known)
      if (o.name == arg) option = &o;
    if (!option) {
      parsed.error = Error::of("unknown option '" + arg + "'");
      return parsed;
    }
    if (!option->takes_value) {
      parsed.given.emplace_back(arg, "");
    } else if (i + 1 < argc) {
      parsed.given.emplace_back(arg, argv[++i]);
    } else {
      parsed.error = Error::of("missing value after " + arg);
      return parsed;
    }
  }
  return parsed;
}
