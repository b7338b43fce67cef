#include "ui/qt/program_entry.h"

int main(int argc, char** argv) {
  return halvane::RunHalvane(argc, argv);
}
