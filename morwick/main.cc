#include "morwick.h"

int main(int argc, char** argv) { return morwick_main(argc, argv); }
