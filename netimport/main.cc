#include "netimport.h"

int main(int argc, char** argv) { return netimport_main(argc, argv); }
