#include "protocols/fieldbus/UNMEA_0183_Set_Access2.h"

#include "protocols/fieldbus/UNMEA_0183_Set_Access.h"

TFNMEA_0183_Set_Access2* FNMEA_0183_Set_Access2 = nullptr;

Integer TFNMEA_0183_Set_Access2::GetIndexSentence(const String& Sentence)
{
    return TFNMEA_0183_Set_Access::Find_Sentence(Sentence);
}

String TFNMEA_0183_Set_Access2::Get_Sentence(const String& Sentence)
{
    const Integer Index = GetIndexSentence(Sentence);
    return Index > 0 && NMEA0183_Sentences[std::size_t(Index)].Offered ? Sentence : String();
}

std::span<const TFieldSentence> TFNMEA_0183_Set_Access2::Data_Fields(Integer Ind_Sent)
{
    if (Ind_Sent < 1 || Ind_Sent > NMEA0183_Sentence_Count)
        return {};
    return NMEA0183_Map[std::size_t(Ind_Sent)].Fields;
}

Integer TFNMEA_0183_Set_Access2::GetIndexDataField(Integer Ind_Sent, const String& DataField)
{
    const std::span<const TFieldSentence> Fields = Data_Fields(Ind_Sent);
    for (std::size_t I = 0; I < Fields.size(); ++I)
        if (QLatin1String(Fields[I].Field).trimmed().toString().toUpper() == DataField)
            return Integer(I);
    return -1;
}

String TFNMEA_0183_Set_Access2::Get_DataField(const String& DataField, const String& Sentence)
{
    for (const TFieldSentence& F : Data_Fields(GetIndexSentence(Sentence)))
        if (DataField == QLatin1String(F.Field))
            return DataField;
    return String();
}
