// morwick: splits a version-2 network description into the node list
// PREFIXnodes.txt, the path list PREFIXpaths.txt and the spare list (link
// form) PREFIXspares.txt, PREFIX being the lower-cased file name up to its
// first '.'.
#pragma once

#include <string>

// The output prefix of a lower-cased description file name: the name up to
// its first '.', empty when it begins with '.', all of it without a '.'.
std::string output_prefix(const std::string& lower_name);

// The conversion of the named description (any case: it is folded to lower
// case). Returns the exit status.
int convert_description(const std::string& file_name);

// main(): the whole program, fatal stops included. Returns the exit status.
int morwick_main(int argc, char** argv);
