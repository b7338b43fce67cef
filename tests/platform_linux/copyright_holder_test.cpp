#include "platform/linux/copyright_holder.h"

#include <gtest/gtest.h>

#include "platform_linux/identity_test_support.h"

namespace halvane {
namespace {

struct HolderCase {
  const char* line;
  const char* name;
};

class HolderNameTest : public ::testing::TestWithParam<HolderCase> {};

TEST_P(HolderNameTest, StripsYearsMarksAndAddress) {
  EXPECT_EQ(HolderName(GetParam().line), GetParam().name) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HolderNameTest,
    ::testing::Values(HolderCase{"(C) 1987-2022 Free Software Foundation, Inc.",
                                 "Free Software Foundation, Inc."},
                      HolderCase{"Copyright (c) 2010-2015 John Doe <john@example.org>", "John Doe"},
                      HolderCase{"2001-2022 Bram Moolenaar <Bram@vim.org>", "Bram Moolenaar"},
                      HolderCase{"2001, 2003, 2005 Jo Doe", "Jo Doe"},
                      HolderCase{"2005,2006,2008,2010 Kevin Patrick Scannell <kscanne@gmail.com>",
                                 "Kevin Patrick Scannell"},
                      HolderCase{"\xC2\xA9 2019 Ann Roe", "Ann Roe"},
                      HolderCase{"(c) 2020 by Michael Wood. All rights reserved.", "Michael Wood."},
                      HolderCase{"2004 Jo Doe, All Rights Reserved", "Jo Doe"},
                      HolderCase{"2000-2022 Kitware, Inc., Insight Software Consortium",
                                 "Kitware, Inc., Insight Software Consortium"},
                      HolderCase{"1999 3Com Corporation", "3Com Corporation"},
                      HolderCase{"2010 Jo Doe <jo@example.org>, 2011 Ann Roe", "Jo Doe"},
                      HolderCase{"Jo Doe, 2011 Ann Roe", "Jo Doe"},
                      HolderCase{"  2013, 2014 (URW)++ Design & Development",
                                 "(URW)++ Design & Development"},
                      HolderCase{"Copyright:", ""}, HolderCase{"2020", ""}, HolderCase{"", ""}));

struct CopyrightCase {
  const char* what;
  const char* file;
  const char* holder;
};

class FirstCopyrightHolderTest : public ::testing::TestWithParam<CopyrightCase> {};

TEST_P(FirstCopyrightHolderTest, TakesFirstHolderOfFilesStar) {
  EXPECT_EQ(FirstCopyrightHolder(GetParam().file), GetParam().holder) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Files, FirstCopyrightHolderTest,
    ::testing::Values(
        CopyrightCase{"holders on continuation lines",
                      "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
                      "\n"
                      "Files: *\n"
                      "Copyright:\n"
                      " Copyright (C) 1998 Richard Braakman\n"
                      " Copyright (C) 2002 Josip Rodin\n"
                      "License: GPL-2+\n",
                      "Richard Braakman"},
        CopyrightCase{"a Files paragraph before the one for every file",
                      "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
                      "\n"
                      "Files: debian/*\n"
                      "Copyright: 2020 Debian Packager <pkg@debian.org>\n"
                      "\n"
                      "Files: *\n"
                      "Copyright: 2015-2021 Upstream Author\n",
                      "Upstream Author"},
        CopyrightCase{"* among other patterns",
                      "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
                      "\n"
                      "Files: * lib/*\n"
                      "Copyright: 2015 Upstream Author\n",
                      "Upstream Author"},
        CopyrightCase{"a blank first line in the field",
                      "Format: x\n\nFiles: *\nCopyright:\n .\n 2001 Jo Doe\n", "Jo Doe"},
        CopyrightCase{"CRLF line ends", "Format: x\r\n\r\nFiles: *\r\nCopyright: 2001 Jo Doe\r\n",
                      "Jo Doe"},
        CopyrightCase{
            "free-form text that mentions the fields",
            "This package was debianized by Jo Doe.\n\nFiles: *\nCopyright: 2001 Jo Doe\n", ""},
        CopyrightCase{"no Files: * paragraph",
                      "Format: x\n\nFiles: src/*\nCopyright: 2001 Jo Doe\n", ""},
        CopyrightCase{"Files: * without Copyright", "Format: x\n\nFiles: *\nLicense: MIT\n", ""},
        CopyrightCase{"empty file", "", ""}));

TEST(FirstCopyrightHolderRecorded, ReadsDebianFiles) {
  using identity_test::IdentityDataFile;
  using identity_test::ReadWholeFile;
  EXPECT_EQ(FirstCopyrightHolder(ReadWholeFile(IdentityDataFile("doc/bash.copyright"))),
            "Free Software Foundation, Inc.");
  EXPECT_EQ(FirstCopyrightHolder(ReadWholeFile(IdentityDataFile("doc/vim.copyright"))),
            "Bram Moolenaar");
  EXPECT_EQ(FirstCopyrightHolder(ReadWholeFile(IdentityDataFile("doc/fonts-urw-base35.copyright"))),
            "URW Software");
  EXPECT_EQ(FirstCopyrightHolder(ReadWholeFile(IdentityDataFile("doc/libc6.copyright"))), "");
  EXPECT_EQ(FirstCopyrightHolder(ReadWholeFile(IdentityDataFile("doc/python3.11.copyright"))), "");
}

}  // namespace
}  // namespace halvane
