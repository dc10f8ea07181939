#include "graphs/graphwindows.h"

#include "core/formmain.h"

int graphMaxNo(const FormMain *owner)
{
    if (owner)
        return owner->MaxNo();
    const FormMain *first = FormMain::first();
    return first ? first->MaxNo() : 0;
}
