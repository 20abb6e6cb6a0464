// Where kvpack starts on the machines packages are made on.
#include "platform.h"

int main(int argc, char** argv) { return KvpackMain(argc, argv); }
