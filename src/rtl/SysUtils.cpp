#include "rtl/SysUtils.h"

Exception::Exception(const String& Msg) { SetMessage(Msg); }

void Exception::SetMessage(const String& Msg)
{
    FMessage = Msg;
    FWhat = Msg.toUtf8();
}
