#pragma once
// The UI text table: the built-in English texts, overlaid text by text from
// the language file the user chose. Windows read Lang.Strings(Index) for
// plain texts and LangFormat for the texts that are patterns.
#include "rtl/Classes.h"

#include <initializer_list>

// Number of built-in texts; every index below it has one (a blank at most).
inline constexpr Integer Lang_English_Count = 3800;

// The built-in English text of Index; empty outside 0 .. Lang_English_Count - 1.
String Lang_English(Integer Index);

// The text table; after Load_Lang_English or Load_Language it holds exactly
// Lang_Count entries.
extern TStringList Lang;
// Number of texts; 0 until the English texts are filled. The language file
// reader takes only indices below it.
extern Integer Lang_Count;

// Clears Lang and fills it with the built-in English texts in index order.
void Load_Lang_English();

// Applies the "STR<number> = <text>" lines of a language file to Lang (the
// encoding follows a byte-order mark, else Windows-1252). Lines that do not
// fit the rules are skipped; a file that cannot be read changes nothing.
void Read_Lang_File(const String& FileName);

// English, then the file <Language_Name>.lng of the language folders (the
// shipped one first; its name matched ignoring case). When that file is missing, or the name is no plain file
// name, Language_Name becomes "English" and English.lng is applied when present.
void Load_Language();

// Lang[Index] formatted with Args. A text from a language file whose
// placeholders do not fit Args is replaced by the built-in English pattern of
// that index, so no language file can make this raise. Raises only for an
// index outside the table or English placeholders that do not fit Args
// (a fault of the caller).
String LangFormat(Integer Index, std::initializer_list<TVarRec> Args);
String LangFormat(Integer Index, std::span<const TVarRec> Args);

// The table as lines "<index>\t<text>", CR and LF inside a text written as
// the two characters "\r" and "\n".
QStringList Lang_Dump();
