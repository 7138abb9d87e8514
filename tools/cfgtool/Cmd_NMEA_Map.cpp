// nmea-map: prints the NMEA 0183 sentences in index order, one line each:
// index, name, "Y" or "N" (offered), then each data field's name and
// dimension, separated by tabs. Exit code 0; 2 when given arguments.
#include "Command.h"

#include "protocols/fieldbus/UNMEA_0183_Set_Access.h"
#include "protocols/fieldbus/UNMEA_0183_Set_Access2.h"

namespace {

int NMEA_Map(const QStringList& Args)
{
    if (!Args.isEmpty()) {
        cfgtool::Err(QStringLiteral("usage: cfgtool nmea-map"));
        return 2;
    }
    for (Integer I = 1; I <= NMEA0183_Sentence_Count; ++I) {
        const TNMEA0183_Sentence& S = NMEA0183_Sentences[std::size_t(I)];
        QStringList Line{QString::number(I), QLatin1String(S.Name), QLatin1String(S.Offered ? "Y" : "N")};
        for (const TFieldSentence& F : TFNMEA_0183_Set_Access2::Data_Fields(I))
            Line << QLatin1String(F.Field) << QString::number(F.Dimension);
        cfgtool::Out(Line.join(u'\t'));
    }
    return 0;
}

const cfgtool::CfgCommand NMEA_Map_Command("nmea-map", NMEA_Map);

} // namespace
