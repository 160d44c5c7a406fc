// HyStrUtils: text routines without state: choice by condition, searching,
// counting, splitting, padding, number lists and random texts. Positions
// count characters from 1.
#pragma once

#include <vector>

#include "foundation/HyDataTable.h"
#include "framework/runtime/SysUtils.h"

String ChooseStr(bool Condition, const String& IfTrue, const String& IfFalse);
Integer ChooseInt(bool Condition, Integer IfTrue, Integer IfFalse);

// Position of the last occurrence of SubStr in S (occurrences may overlap), 0 when none.
Integer LastPos(const String& S, const String& SubStr);
// Number of positions where SubStr occurs in S, overlaps counted.
Integer CountSubStr(const String& SubStr, const String& S);
// ByChar: one element per character. Otherwise the pieces of S between the
// occurrences of Sep (found left to right without overlap), in an array of
// CountSubStr(Sep, S) + 1 elements; elements past the pieces are empty
// ("aa" in "aaa" gives "", "a", ""). S empty gives no elements.
std::vector<String> SplitToVariant(const String& Sep, const String& S, bool ByChar);
// FileName with the extension of entry Index of the comma-separated ExtList.
String AddFilterExt(const String& FileName, const String& ExtList, Integer Index, const String& DefaultExt);
// The first Len characters of S, or S padded to Len with Ch.
String PadStr(const String& S, Integer Len, Char Ch, bool PadLeft);
// The members 0..MaxValue of Numbers in ascending decimal, joined by Sep.
String SetToNumberList(const TByteSet& Numbers, const String& Sep, Integer MaxValue);
// From, From + 1, ..., To joined by Sep; empty when From is above To.
String NumberRangeText(Integer From, Integer To, Char Sep);
// Count numbers from Start, counting up when Direction is 1, else down.
String NumberSequenceText(const String& Sep, Integer Start, Integer Count, Integer Direction);
Integer CountSetMembers(const TByteSet& Numbers);

// Count random characters from "0"-"9" (Flags bit 0), "A"-"Z" (bit 1) and
// "a"-"z" (bit 2); Flags 0 allows all three. Each thread draws from its own
// generator, seeded once from the system's entropy source, so salts made at
// the same moment on different threads (or in one clock tick) differ.
AnsiString RandomStr(Integer Count, Integer Flags);
