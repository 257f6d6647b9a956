// A stand-in for the plotting program on Windows: appends "<argument count> <first argument>"
// to calls.log in the current folder, a little later, so a caller that did not wait for it
// would find the line missing.
#include <chrono>
#include <fstream>
#include <thread>

int main(int argc, char** argv) {
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  std::ofstream log("calls.log", std::ios::binary | std::ios::app);
  log << argc - 1 << " " << (argc > 1 ? argv[1] : "") << "\n";
  return 0;
}
