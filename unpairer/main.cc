#include "unpairer.h"

int main(int argc, char** argv) { return unpairer_main(argc, argv); }
