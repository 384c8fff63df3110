#pragma once

// What the tests of the command line share: running it on a program
// directory, and a program directory with lists beside a folder of tests.

#include <gtest/gtest.h>

#include <string>

#include "fixtures/test_file_writer.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace tesmora::testing {

// tesmora-cli with `home` as its program directory; standard error with its
// standard output.
inline CommandRun RunCli(const std::string& home, const std::string& arguments) {
  return RunCommand("TESMORA_HOME='" + home + "' '" TESMORA_CLI "' " + arguments + " 2>&1");
}

inline std::string AsText(const fixtures::Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

// The customer and protocol lists in the program directory; an inflation
// test 03021001.126 and a consistency test 10221107.526 in the tests' folder.
class CliWithTests : public ::testing::Test {
 protected:
  CliWithTests() {
    WriteBytes(home_.File("cliente.txt"),
               AsText(fixtures::BuildCustomerFile(fixtures::StandardCustomers())));
    WriteBytes(home_.File("protocol.txt"),
               AsText(fixtures::BuildProtocolFile(fixtures::StandardProtocols())));
    WriteBytes(tests_.File("03021001.126"),
               AsText(fixtures::BuildInflationFile(fixtures::RealisticInflationTest(1, '1'))));
    WriteBytes(tests_.File("10221107.526"),
               AsText(fixtures::BuildConsistencyFile(fixtures::RealisticConsistencyTest(1, '5'))));
  }
  TempDir home_;
  TempDir tests_;
};

}  // namespace tesmora::testing
