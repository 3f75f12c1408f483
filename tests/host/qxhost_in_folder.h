// What the tests that run qxhost as a program share: whole files read and written, and a fresh
// folder for each test to run it in, removed after the test.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace host_test {

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

struct QxhostInFolder : ::testing::Test {
    std::string folder;
    void SetUp() override {
        char pattern[] = "/tmp/qxhost-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
    }
    void TearDown() override { std::system(("rm -rf '" + folder + "'").c_str()); }
    std::string path(const std::string& name) const { return folder + "/" + name; }
    // Runs the built qxhost in the folder, standard error to stderr.txt there; its exit code.
    // `environment` goes before the program ("NAME='value' ").
    int runQxhost(const std::string& arguments, const std::string& environment = "") const {
        const std::string command = "cd '" + folder + "' && " + environment + "'" +
                                    std::string(QX_OUT_DIR) + "/qxhost' " + arguments +
                                    " 2>stderr.txt";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

} // namespace host_test
