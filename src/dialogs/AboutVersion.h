// AboutVersion: the short version the About box shows, from the program
// file's dotted version: the major and minor numbers with the release run
// onto the minor (5.2.6.0 shows as 5.26), and the major number with ".0"
// when minor and release are both 0 (5.0.0.0 shows as 5.0).
#pragma once

#include "framework/runtime/System.h"

// Empty for a text whose first part is not a number; missing parts count 0.
String AboutVersionText(const String& ProductVersion);
