#include "media/stream_exception.h"

#include "media/media_errors.h"

std::string TStreamReadException::ToString() const { return media_errors::kReadFailed; }

std::string TStreamWriteException::ToString() const { return media_errors::kWriteFailed; }
