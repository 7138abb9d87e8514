#pragma once
// The NMEA 0183 sentence window ("NMEA_0183_Set_Access.xml", shared with TFNMEA_0183_Set_Access).
// Created at start-up and relabelled with the others; its content comes with
// its own step of the system.
#include "protocols/fieldbus/UNMEA_0183_Objects_Map.h"
#include "shell/UShellForm.h"

class TFNMEA_0183_Set_Access2 : public TShellForm {
public:
    // Its texts in the table.
    static constexpr Integer Lang_First = 3600, Lang_Last = 3641;
    explicit TFNMEA_0183_Set_Access2(TComponent* AOwner) : TShellForm(AOwner, Lang_First) {}

    // Lookups in the sentence table and its map.
    static Integer GetIndexSentence(const String& Sentence);
    // Sentence when it names an offered sentence, else empty.
    static String Get_Sentence(const String& Sentence);
    // The index (from 0) of the data field whose name, trimmed and
    // upper-cased, equals DataField; -1, also for Ind_Sent outside 1..39.
    static Integer GetIndexDataField(Integer Ind_Sent, const String& DataField);
    // DataField when it names a data field of Sentence exactly, else empty.
    static String Get_DataField(const String& DataField, const String& Sentence);
    // The data fields of a sentence; none for an index outside 1..39.
    static std::span<const TFieldSentence> Data_Fields(Integer Ind_Sent);
};

extern TFNMEA_0183_Set_Access2* FNMEA_0183_Set_Access2;
