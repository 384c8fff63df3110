#include "shell/settings.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace tesmora {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(LoadSettings, FirstRunWritesTheDefaults) {
  TempDir program;
  const Settings settings = LoadSettings(program.path(), "/home/lab/tests");
  EXPECT_EQ(settings.portName, "COM1");
  EXPECT_EQ(settings.ExportDataMode, 0);
  EXPECT_EQ(settings.AutoSaveDirectory, "/home/lab/tests/");
  EXPECT_EQ(settings.settingsPath, program.File("tesmora.ini"));
  EXPECT_EQ(ReadBytes(program.File("tesmora.ini")),
            "[LIAISON]\r\nPort=COM1\r\n[EXPORT]\r\nMode=0\r\n[REPERTOIRE]\r\n"
            "Sauvegarde Auto=/home/lab/tests/\r\n");
}

TEST(LoadSettings, PartialFileTakesDefaultsAndWritesNothing) {
  TempDir program;
  const std::string path = program.File("tesmora.ini");
  WriteBytes(path, "[LIAISON]\nPort=COM4\n");
  const Settings settings = LoadSettings(program.path(), "/elsewhere");
  EXPECT_EQ(settings.portName, "COM4");
  EXPECT_EQ(settings.ExportDataMode, 0);
  EXPECT_EQ(settings.AutoSaveDirectory, "");
  EXPECT_EQ(ReadBytes(path), "[LIAISON]\nPort=COM4\n");
}

TEST(LoadSettings, AnyNonZeroModeIsOnAndTheNextToggleWritesZero) {
  TempDir program;
  const std::string path = program.File("tesmora.ini");
  WriteBytes(path, "[EXPORT]\r\nMode=2\r\n[REPERTOIRE]\r\nSauvegarde Auto=/data/auto/\r\n");
  Settings settings = LoadSettings(program.path(), "/");
  EXPECT_EQ(settings.ExportDataMode, 1);
  EXPECT_EQ(settings.AutoSaveDirectory, "/data/auto/");

  ASSERT_TRUE(SaveExportDataMode(settings, !settings.ExportDataMode));
  EXPECT_EQ(settings.ExportDataMode, 0);
  EXPECT_EQ(ReadBytes(path),
            "[EXPORT]\r\nMode=0\r\n[REPERTOIRE]\r\nSauvegarde Auto=/data/auto/\r\n");
}

TEST(LoadSettings, ModeThatIsNotANumberIsOff) {
  TempDir program;
  WriteBytes(program.File("tesmora.ini"), "[EXPORT]\nMode=yes\n");
  EXPECT_EQ(LoadSettings(program.path(), "/").ExportDataMode, 0);
}

TEST(LoadSettings, SettingsLiveBesideTheProgramNotInTheWorkingDirectory) {
  TempDir program;
  TempDir working;
  WriteBytes(working.File("tesmora.ini"), "[LIAISON]\nPort=COM9\n");
  const Settings settings = LoadSettings(program.path(), working.path());
  EXPECT_EQ(settings.portName, "COM1");
  EXPECT_EQ(settings.AutoSaveDirectory, working.path() + "/");
  EXPECT_TRUE(std::filesystem::exists(program.File("tesmora.ini")));
  EXPECT_EQ(ReadBytes(working.File("tesmora.ini")), "[LIAISON]\nPort=COM9\n");
}

TEST(LoadSettings, GarbageAroundTheKeysIsReadAndKept) {
  TempDir program;
  const std::string path = program.File("tesmora.ini");
  const std::string garbage =
      "\xef\xbb\xbfnot ini at all\n=\n[\n[liaison]\nport = COM3 \n\x01\x02\n[Export]\nMODE=1";
  WriteBytes(path, garbage);
  Settings settings = LoadSettings(program.path(), "/");
  EXPECT_EQ(settings.portName, "COM3");
  EXPECT_EQ(settings.ExportDataMode, 1);

  ASSERT_TRUE(SaveAutoSaveDirectory(settings, "/data/new/"));
  EXPECT_EQ(ReadBytes(path), garbage + "\n[REPERTOIRE]\nSauvegarde Auto=/data/new/\n");
  EXPECT_EQ(LoadSettings(program.path(), "/").AutoSaveDirectory, "/data/new/");
}

TEST(SavePortName, WritesOnlyThePort) {
  TempDir program;
  Settings settings = LoadSettings(program.path(), "/lab");
  ASSERT_TRUE(SavePortName(settings, "COM12"));
  EXPECT_EQ(settings.portName, "COM12");
  const Settings again = LoadSettings(program.path(), "/other");
  EXPECT_EQ(again.portName, "COM12");
  EXPECT_EQ(again.AutoSaveDirectory, "/lab/");
}

TEST(AcceptPortName, RefusesNamesLongerThanTheField) {
  EXPECT_EQ(AcceptPortName("COM27"), "COM27");
  EXPECT_EQ(AcceptPortName("COM100"), "COM100");
  EXPECT_EQ(AcceptPortName("COM1000"), "COM1");
  EXPECT_EQ(AcceptPortName("/dev/ttyUSB0"), "COM1");
  EXPECT_EQ(AcceptPortName(""), "COM1");
}

TEST(PortDevicePath, PortsSectionOverridesTheDefaultMapping) {
  TempDir program;
  WriteBytes(program.File("tesmora.ini"), "[LIAISON]\nPort=COM3\n[PORTS]\ncom3=/dev/ttyUSB0\n");
  const Settings settings = LoadSettings(program.path(), "/");
  EXPECT_EQ(PortDevicePath(settings, "COM3"), "/dev/ttyUSB0");
  EXPECT_EQ(PortDevicePath(settings, "COM1"), "/dev/ttyS0");
  EXPECT_EQ(PortDevicePath(settings, "COM27"), "/dev/ttyS26");
  EXPECT_EQ(DefaultPortDevice("com2"), "/dev/ttyS1");
  EXPECT_EQ(DefaultPortDevice("COM0"), "");
  EXPECT_EQ(DefaultPortDevice("LPT1"), "");
  EXPECT_EQ(DefaultPortDevice("COMx"), "");
}

}  // namespace
}  // namespace tesmora
