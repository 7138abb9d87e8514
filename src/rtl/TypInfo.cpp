#include "rtl/TypInfo.h"

TEnumTypeInfo::TEnumTypeInfo(const char* TypeName, const char* ValueList)
    : FTypeName(QString::fromLatin1(TypeName))
{
    for (const QString& Name : QString::fromLatin1(ValueList).split(QLatin1Char(',')))
        FNames.append(Name.trimmed());
}

String GetEnumName(const TEnumTypeInfo& Info, Integer Value)
{
    return Value >= 0 && Value < Info.Count() ? Info.Names()[Value] : String();
}

Integer GetEnumValue(const TEnumTypeInfo& Info, const String& Name)
{
    const String Wanted = Name.trimmed();
    for (Integer Ord = 0; Ord < Info.Count(); ++Ord)
        if (Info.Names()[Ord].compare(Wanted, Qt::CaseInsensitive) == 0)
            return Ord;
    return -1;
}

String OrdinalsToSetString(const TEnumTypeInfo& Info, const std::vector<Integer>& Ordinals, bool Brackets)
{
    QStringList Names;
    for (Integer Ord : Ordinals)
        Names.append(GetEnumName(Info, Ord));
    const String Joined = Names.join(QLatin1Char(','));
    return Brackets ? QLatin1Char('[') + Joined + QLatin1Char(']') : Joined;
}

std::vector<Integer> SetStringToOrdinals(const TEnumTypeInfo& Info, const String& Text)
{
    String Body = Text.trimmed();
    if (Body.startsWith(QLatin1Char('[')))
        Body.remove(0, 1);
    if (Body.endsWith(QLatin1Char(']')))
        Body.chop(1);
    std::vector<Integer> Ordinals;
    if (Body.trimmed().isEmpty())
        return Ordinals;
    for (const QString& Element : Body.split(QLatin1Char(','))) {
        const Integer Ord = GetEnumValue(Info, Element);
        if (Ord < 0)
            throw EPropertyConvertError(QStringLiteral("Invalid property element: ") + Element.trimmed());
        Ordinals.push_back(Ord);
    }
    return Ordinals;
}
