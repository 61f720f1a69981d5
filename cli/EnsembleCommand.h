#pragma once

#include <string>
#include <vector>

// ravek-cli ensemble FILE... [--temperature T] [--energy free|enthalpy|electronic]
// [--reference N]: the jobs of the files as one ensemble (conformers, or the
// stationary points of a reaction), as one JSON object: each job's
// electronic energy, enthalpy and free energy (hartree), the chosen energy
// relative to job N (from 1, the lowest by default) in kJ/mol and
// kcal/mol, and its Boltzmann weight at T kelvin (298.15 by default); whether
// the jobs name one level of theory, and whether their thermochemistry was
// computed at T. Returns the exit code: 1 when no job has the energy chosen.
int RunEnsemble(const std::vector<std::string>& args);
