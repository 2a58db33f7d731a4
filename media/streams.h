// The whole stream layer in one include: stream classes, opening locations,
// byte order, files, memory, banks, embedded resources and helpers.
#pragma once

#include "media/bank.h"
#include "media/c_stream.h"
#include "media/endian_stream.h"
#include "media/media_errors.h"
#include "media/media_module.h"
#include "media/ram_stream.h"
#include "media/resources.h"
#include "media/stream.h"
#include "media/stream_exception.h"
#include "media/stream_factory.h"
#include "media/stream_helpers.h"
#include "media/stream_wrapper.h"
