#pragma once
// String, number, date and file routines, and the exception classes.
#include "rtl/System.h"

#include <QByteArray>

#include <exception>

// Base of every error the runtime and the system raise. Message() is the
// text shown to the user; what() gives it in UTF-8.
class Exception : public std::exception {
public:
    explicit Exception(const String& Msg);
    const String& Message() const { return FMessage; }
    void SetMessage(const String& Msg);
    const char* what() const noexcept override { return FWhat.constData(); }

private:
    String FMessage;
    QByteArray FWhat;
};

#define RTL_DECLARE_EXCEPTION(Name, Base)                    \
    class Name : public Base {                               \
    public:                                                  \
        using Base::Base;                                    \
    };

RTL_DECLARE_EXCEPTION(EAbort, Exception)
RTL_DECLARE_EXCEPTION(EConvertError, Exception)
RTL_DECLARE_EXCEPTION(EListError, Exception)
RTL_DECLARE_EXCEPTION(EStringListError, EListError)
RTL_DECLARE_EXCEPTION(EArgumentException, Exception)
RTL_DECLARE_EXCEPTION(EArgumentOutOfRangeException, EArgumentException)
RTL_DECLARE_EXCEPTION(EInvalidOperation, Exception)
RTL_DECLARE_EXCEPTION(EInvalidPointer, Exception)
RTL_DECLARE_EXCEPTION(EInOutError, Exception)
RTL_DECLARE_EXCEPTION(EStreamError, Exception)
RTL_DECLARE_EXCEPTION(EFileStreamError, EStreamError)
RTL_DECLARE_EXCEPTION(EFCreateError, EFileStreamError)
RTL_DECLARE_EXCEPTION(EFOpenError, EFileStreamError)
RTL_DECLARE_EXCEPTION(EReadError, EStreamError)
RTL_DECLARE_EXCEPTION(EWriteError, EStreamError)
RTL_DECLARE_EXCEPTION(EIntOverflow, Exception)
RTL_DECLARE_EXCEPTION(ERangeError, Exception)
RTL_DECLARE_EXCEPTION(EIniFileException, Exception)
