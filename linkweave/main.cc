#include "linkweave.h"

int main(int argc, char** argv) { return linkweave_main(argc, argv); }
