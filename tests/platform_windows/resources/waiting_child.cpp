// The child of the end-process tests: it waits for the event named on its command line, then
// ends with its own exit code, so that a test tells an end of its own from one by
// TerminateProcess (exit code 0).
#include <windows.h>

constexpr int kOwnExitCode = 7;
constexpr int kNoEventName = 2;
constexpr int kNoSuchEvent = 3;

int wmain(int argc, wchar_t** argv) {
  if (argc < 2)
    return kNoEventName;
  const HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, argv[1]);
  if (event == nullptr)
    return kNoSuchEvent;
  WaitForSingleObject(event, INFINITE);
  CloseHandle(event);
  return kOwnExitCode;
}
