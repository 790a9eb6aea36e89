#include <cups/cups.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "platform/print_job.h"

extern char** environ;

namespace qm {
namespace {

namespace fs = std::filesystem;

// A print server of the test's own, listening on a socket in a scratch directory, with a
// queue whose backend writes what it is sent into a file there.
class PrivatePrintServer {
 public:
  bool Start() {
    char pattern[] = "/tmp/qm-cups-XXXXXX";
    if (!mkdtemp(pattern)) return false;
    root_ = pattern;
    for (const char* sub : {"spool", "cache", "state", "tmp", "log", "bin/backend"}) {
      fs::create_directories(root_ / sub);
    }
    // The server starts its backends through its own helper, found beside them.
    std::error_code error;
    fs::create_directory_symlink("/usr/lib/cups/daemon", root_ / "bin" / "daemon", error);
    Write("bin/backend/sheetfile",
          "#!/bin/sh\n[ $# -eq 0 ] && exit 0\nif [ -n \"$6\" ]; then cat \"$6\"; else cat; fi > " +
              Output().string() + "\n");
    // Owned by root and private to it, the server runs the backend as root.
    fs::permissions(root_ / "bin/backend/sheetfile", fs::perms::owner_all);
    Write("cupsd.conf", "Listen " + Socket() +
                            "\nLogLevel warn\nBrowsing No\nDefaultAuthType None\n"
                            "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                            "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                            "</Policy>\n");
    std::string r = root_.string();
    Write("cups-files.conf", "ServerRoot " + r + "\nServerBin " + r + "/bin\nRequestRoot " + r +
                                 "/spool\nCacheDir " + r + "/cache\nStateDir " + r +
                                 "/state\nTempDir " + r + "/tmp\nErrorLog " + r +
                                 "/log/error_log\nAccessLog " + r + "/log/access_log\nPageLog " +
                                 r + "/log/page_log\nUser lp\nGroup lp\n");
    std::string conf = (root_ / "cupsd.conf").string();
    std::string files = (root_ / "cups-files.conf").string();
    const char* argv[] = {"cupsd", "-f", "-c", conf.c_str(), "-s", files.c_str(), nullptr};
    if (posix_spawn(&pid_, "/usr/sbin/cupsd", nullptr, nullptr, const_cast<char**>(argv),
                    environ) != 0) {
      pid_ = 0;
      return false;
    }
    for (int i = 0; i < 100 && !fs::exists(Socket()); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    cupsSetServer(Socket().c_str());
    return fs::exists(Socket());
  }

  ~PrivatePrintServer() {
    cupsSetServer(nullptr);
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    std::error_code ignored;
    if (!root_.empty()) fs::remove_all(root_, ignored);
  }

  std::string Socket() const { return (root_ / "cups.sock").string(); }
  fs::path Output() const { return root_ / "printed.txt"; }

  bool Admin(const std::string& arguments) {
    std::string command =
        "CUPS_SERVER='" + Socket() + "' /usr/sbin/lpadmin " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
  }

  std::string WaitForOutput(size_t length) const {
    for (int i = 0; i < 200; ++i) {
      std::ifstream in(Output(), std::ios::binary);
      std::stringstream text;
      text << in.rdbuf();
      if (text.str().size() >= length) return text.str();
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return {};
  }

 private:
  void Write(const std::string& name, const std::string& text) {
    std::ofstream(root_ / name) << text;
  }

  fs::path root_;
  pid_t pid_ = 0;
};

TEST(PrintJob, FailuresSayWhyAndPrintNothing) {
  cupsSetServer((fs::temp_directory_path() / "qm-no-such-print-server.sock").c_str());
  PrintResult noServer = PrintTextJob("Quillmoor", "nothing\r\n");
  cupsSetServer(nullptr);
  EXPECT_FALSE(noServer.Ok);
  EXPECT_FALSE(noServer.Error.empty());

  if (!fs::exists("/usr/sbin/cupsd") || geteuid() != 0) {
    GTEST_SKIP() << "a private print server needs cupsd and root";
  }
  PrivatePrintServer server;
  ASSERT_TRUE(server.Start()) << "the private print server did not start";
  ASSERT_TRUE(server.Admin("-p qmsheet -E -v sheetfile:/score"));
  PrintResult noDefault = PrintTextJob("Quillmoor", "nothing\r\n");
  EXPECT_FALSE(noDefault.Ok);
  EXPECT_FALSE(noDefault.Error.empty());
}

TEST(PrintJob, TextGoesToTheDefaultPrinterWhole) {
  if (!fs::exists("/usr/sbin/cupsd") || geteuid() != 0) {
    GTEST_SKIP() << "a private print server needs cupsd and root";
  }
  PrivatePrintServer server;
  ASSERT_TRUE(server.Start()) << "the private print server did not start";
  ASSERT_TRUE(server.Admin("-p qmsheet -E -v sheetfile:/score"));
  ASSERT_TRUE(server.Admin("-d qmsheet"));

  std::string sheet = "Practice Score Sheet\r\nAnnie        25   19\r\n";
  PrintResult result = PrintTextJob("Quillmoor", sheet);
  EXPECT_TRUE(result.Ok) << result.Error;
  EXPECT_EQ(server.WaitForOutput(sheet.size()), sheet);
}

}  // namespace
}  // namespace qm
