#include "app/ProcessServices.h"

#include "ai/AIMnemonicSource.h"
#include "model/ConfigStore.h"
#include "model/WordStore.h"

namespace glossivo::ProcessServices {

void install()
{
    WordStore::setSharedConnector([](WordStore& store) {
        // The process's word book asks the AI service for the memory tips of new leeches.
        static AIMnemonicSource tips(ConfigStore::shared());
        store.setMnemonicSource(&tips);
    });
}

} // namespace glossivo::ProcessServices
