#include <windows.h>

#include "ui/win32/program_entry.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return halvane::RunHalvane(instance);
}
