#include "grid/base/esgcheck.h"

TExStringGridCheck::TExStringGridCheck(TComponent* AOwner) : TComponent(AOwner) {}

String TExStringGridCheck::MarkError(Integer, Integer, String S)
{
    return S;
}

String TExStringGridCheck::Correct(Integer, Integer, String S)
{
    return S;
}

void TExStringGridCheck::StartCheck() {}

void TExStringGridCheck::StopCheck() {}
