// The code of the test libraries that carry the version resources: one exported function.
extern "C" __declspec(dllexport) int HalvaneVersionFixture() {
  return 1;
}
