#include "app/ProcessServices.h"

#include "ai/AIMnemonicSource.h"
#include "app/SetAsideNotice.h"
#include "model/ConfigStore.h"
#include "model/WordStore.h"

#include <QTextStream>

namespace glossivo::ProcessServices {

void install(QTextStream* notices)
{
    WordStore::setSharedConnector([notices](WordStore& store) {
        // The process's word book asks the AI service for the memory tips of new leeches.
        static AIMnemonicSource tips(ConfigStore::shared());
        store.setMnemonicSource(&tips);
        if (!notices) return;
        const QMap<QString, QString>& kept = store.keptAside();
        for (auto it = kept.begin(); it != kept.end(); ++it)
            *notices << SetAsideNotice::title(it.key()) << '\n'
                     << SetAsideNotice::message(it.value()) << Qt::endl;
    });
}

} // namespace glossivo::ProcessServices
