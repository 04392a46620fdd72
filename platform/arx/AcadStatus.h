#pragma once
// The host's result codes. Only the values the module passes or tests are named.

namespace Acad {

enum ErrorStatus {
    eOk = 0,
    eNotImplementedYet = 1,
    eNotApplicable = 2,
    eInvalidInput = 3,
    eAmbiguousInput = 4,
    eAmbiguousOutput = 5,
    eOutOfMemory = 6,
    eBufferTooSmall = 7,
    eInvalidOpenState = 8,
    eEntityInInactiveLayout = 9,
    eHandleExists = 10,
    eNullHandle = 11,
    eBrokenHandle = 12,
    eUnknownHandle = 13,
    eNullObjectId = 19,
    eKeyNotFound = 31,
    eDuplicateKey = 33,
    eInvalidIndex = 35,
    eFileNotFound = 66,
    eFileAccessErr = 68,
    eNotOpenForWrite = 80,
    eWasErased = 84,
};

}  // namespace Acad

// Readable name of a status for messages and test output ("eInvalidInput").
const char* acadErrorStatusText(Acad::ErrorStatus status);
