#pragma once

// dualsweep's whole run: parse, read, solve the pairs, write; the exit status.
int dualsweep_main(int argc, char** argv);
