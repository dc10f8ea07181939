#include "core/toolcontext.h"

#include "core/formmain.h"
#include "core/gamerules.h"
#include "core/program.h"

ToolContext::ToolContext(FormMain &opener)
    : m_program(&opener.program()), m_mainWindow(&opener), m_runMode(opener.RunMode()),
      m_firstTable(m_program->firstWindow() ? &m_program->firstWindow()->table() : nullptr)
{
}

int ToolContext::maxNo() const
{
    return GameRules::of(m_runMode).maxNo();
}
