#include "platform/arx/AcadStatus.h"

const char* acadErrorStatusText(Acad::ErrorStatus status) {
    switch (status) {
        case Acad::eOk: return "eOk";
        case Acad::eNotImplementedYet: return "eNotImplementedYet";
        case Acad::eNotApplicable: return "eNotApplicable";
        case Acad::eInvalidInput: return "eInvalidInput";
        case Acad::eAmbiguousInput: return "eAmbiguousInput";
        case Acad::eAmbiguousOutput: return "eAmbiguousOutput";
        case Acad::eOutOfMemory: return "eOutOfMemory";
        case Acad::eBufferTooSmall: return "eBufferTooSmall";
        case Acad::eInvalidOpenState: return "eInvalidOpenState";
        case Acad::eEntityInInactiveLayout: return "eEntityInInactiveLayout";
        case Acad::eHandleExists: return "eHandleExists";
        case Acad::eNullHandle: return "eNullHandle";
        case Acad::eBrokenHandle: return "eBrokenHandle";
        case Acad::eUnknownHandle: return "eUnknownHandle";
        case Acad::eNullObjectId: return "eNullObjectId";
        case Acad::eKeyNotFound: return "eKeyNotFound";
        case Acad::eDuplicateKey: return "eDuplicateKey";
        case Acad::eInvalidIndex: return "eInvalidIndex";
        case Acad::eFileNotFound: return "eFileNotFound";
        case Acad::eFileAccessErr: return "eFileAccessErr";
        case Acad::eNotOpenForWrite: return "eNotOpenForWrite";
        case Acad::eWasErased: return "eWasErased";
    }
    return "eUnknownStatus";
}
