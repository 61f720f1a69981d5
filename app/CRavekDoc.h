#pragma once

#include "platform/Document.h"

// The document of the placeholder window kind: no data, no commands.
class CRavekDoc : public Document {
    Q_OBJECT
};
