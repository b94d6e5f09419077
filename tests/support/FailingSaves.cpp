#include "FailingSaves.h"

#include "FailDevice.h"

#include "storage/FileWriting.h"

#include <memory>

FailingSaves::FailingSaves(qint64 bytesBeforeFailure)
{
    FileWriting::setDeviceFilter([bytesBeforeFailure](QIODevice& file) {
        return std::make_unique<FailDevice>(&file, bytesBeforeFailure);
    });
}

FailingSaves::~FailingSaves()
{
    FileWriting::setDeviceFilter({});
}
