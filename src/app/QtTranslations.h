#pragma once

class QObject;

namespace glossivo::QtTranslations {

// Installs Qt's own Simplified Chinese messages (network errors, the buttons of standard
// dialogs) into the running application, so that a failure reads "找不到主机 …" like every
// other sentence. The translator lives as long as `owner`. False when the translations are not
// installed on this system; Qt's messages then stay English.
bool install(QObject* owner);

} // namespace glossivo::QtTranslations
