// Material records of the kinds real models hold (plain, reflective,
// alpha-masked, animated textures with the editor's flags), for the models
// the benchmarks write.
#pragma once

#include <random>

#include "model_bytes.h"

test_support::RecordBytes realisticRecord(std::mt19937& random);
