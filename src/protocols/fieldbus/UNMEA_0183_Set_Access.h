#pragma once
// The NMEA 0183 window ("NMEA_0183_Set_Access.xml", shared with TFNMEA_0183_Set_Access2).
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system. Its unit holds the table of known sentences.
#include "shell/UShellForm.h"

#include <array>

struct TNMEA0183_Sentence {
    const char* Name; // the formatter, or the proprietary "$PJELA"
    Boolean Offered;  // listed as a choice in the windows
};

// Index 1 to 39 (entry 0 is unused); the index is what every rule uses, the
// files store the name.
extern const std::array<TNMEA0183_Sentence, 40> NMEA0183_Sentences;
inline constexpr Integer NMEA0183_Sentence_Count = 39;
// The sentences whose rows take an Index.
inline constexpr Integer Sentence_GSV = 10, Sentence_XDR = 34, Sentence_PJELA = 35;

// The names of the offered sentences in index order.
QStringList Offered_Sentence_Names();

class TFNMEA_0183_Set_Access : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3500, Lang_Last = 3529;
    explicit TFNMEA_0183_Set_Access(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}

    // The index of the sentence named exactly Sentence (offered or not), -1.
    static Integer Find_Sentence(const String& Sentence);
};

extern TFNMEA_0183_Set_Access* FNMEA_0183_Set_Access;
