#pragma once

// Undo: a hold gathers restore records into one named undo step.

#include "host/api.h"

/// One recorded change that can be undone and redone.
class RestoreObj {
public:
    virtual ~RestoreObj() = default;
    virtual void Restore() = 0;
    virtual void Redo() = 0;
};

class Hold {
public:
    /// Opens a hold; holds nest.
    virtual void Begin() = 0;
    /// Closes the innermost hold; the outermost becomes one undo step `name`.
    virtual void Accept(const char* name) = 0;
    /// Closes the innermost hold and undoes what it recorded.
    virtual void Cancel() = 0;
    /// Non-zero while a hold is open.
    virtual int Holding() = 0;
    /// Records a change; the hold owns it. Only while Holding().
    virtual void Put(RestoreObj* record) = 0;

protected:
    virtual ~Hold() = default;
};

HOST_API extern Hold& theHold;
