#include "halvane.h"

int main(int argc, char** argv) { return halvane_main(argc, argv); }
