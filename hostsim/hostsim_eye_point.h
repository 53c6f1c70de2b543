#pragma once
// The host's position encoding: the six-word eye point.
#include "hostsim/hostsim_records.h"

HostsimEyePoint HostsimEncodeEyePoint(double latitudeDeg, double longitudeDeg,
                                      double altitudeMetres);
void HostsimDecodeEyePoint(const HostsimEyePoint* eye, double* latitudeDeg, double* longitudeDeg,
                           double* altitudeMetres);
