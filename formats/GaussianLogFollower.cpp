#include "formats/GaussianLogFollower.h"

#include "formats/CGauData.h"

GaussianLogFollower::GaussianLogFollower(CMolData& model, std::unique_ptr<CGauData> reader)
    : model_(model), reader_(std::move(reader)) {}

GaussianLogFollower::~GaussianLogFollower() = default;

std::unique_ptr<LogFollower> GaussianLogFollower::Start(StdioFile* in, CMolData& model) {
    std::unique_ptr<CGauData> reader(new CGauData(model));
    reader->ReadAll(in);
    return std::unique_ptr<GaussianLogFollower>(new GaussianLogFollower(model, std::move(reader)));
}

LogGrowth GaussianLogFollower::ReadAppended(StdioFile* in) {
    return reader_->ReadAppended(in);
}
