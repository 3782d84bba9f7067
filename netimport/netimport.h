// netimport [options] INPUT STUDY_DIR: a study folder from a GML file of the
// Internet Topology Zoo, an SNDlib native file or two CSV files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "error.h"
#include "program.h"
#include "raw_network.h"

// Reads INPUT, recognising its form by its content: SNDlib's first line, a
// GML graph [ ... ], or, for a name "nodes.csv,links.csv" that is no file,
// the two CSV files. `inputs` gets the files read.
Error read_network(const std::string& input, RawNetwork& out, std::vector<std::string>& inputs);

// The form of a text: "SNDlib native", "GML", or empty when it is neither.
std::string form_of(std::string_view text);

// What `netimport --help` prints (the usage, every option with what it does)
// and the name `netimport --version` gives.
const ProgramInfo& netimport_info();

int netimport_main(int argc, char** argv);
