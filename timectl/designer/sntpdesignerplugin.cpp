#include "sntpdesignerplugin.h"

#include "sntptaskmenu.h"

#include "horlogix/clockicon.h"
#include "horlogix/sntp.h"

#include <QtDesigner/QDesignerFormEditorInterface>
#include <QtDesigner/QExtensionManager>

using namespace Qt::StringLiterals;

SntpDesignerPlugin::SntpDesignerPlugin(QObject *parent) : QObject(parent) {}

QString SntpDesignerPlugin::name() const
{
    return u"SNTP"_s;
}

QString SntpDesignerPlugin::group() const
{
    return u"Horlogix"_s;
}

QString SntpDesignerPlugin::toolTip() const
{
    return u"Reads the time from an SNTP server"_s;
}

QString SntpDesignerPlugin::whatsThis() const
{
    return u"Asks an SNTP server for the current time; call GetServerTime and take the result "
           "or handle GotServerTime. It never sets the computer's clock."_s;
}

QString SntpDesignerPlugin::includeFile() const
{
    return u"horlogix/sntp.h"_s;
}

QIcon SntpDesignerPlugin::icon() const
{
    return horlogix::clockIcon();
}

bool SntpDesignerPlugin::isContainer() const
{
    return false;
}

QWidget *SntpDesignerPlugin::createWidget(QWidget *parent)
{
    return new SNTP(parent);
}

bool SntpDesignerPlugin::isInitialized() const
{
    return m_initialized;
}

void SntpDesignerPlugin::initialize(QDesignerFormEditorInterface *core)
{
    if (m_initialized)
        return;
    if (QExtensionManager *manager = core ? core->extensionManager() : nullptr)
        manager->registerExtensions(new SntpTaskMenuFactory(manager), Q_TYPEID(QDesignerTaskMenuExtension));
    m_initialized = true;
}

QString SntpDesignerPlugin::domXml() const
{
    return uR"(<ui language="c++">
 <widget class="SNTP" name="sntp"/>
 <customwidgets>
  <customwidget>
   <class>SNTP</class>
   <extends>QWidget</extends>
   <header>horlogix/sntp.h</header>
  </customwidget>
 </customwidgets>
</ui>
)"_s;
}
