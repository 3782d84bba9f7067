// The GML reader: a network as the Internet Topology Zoo writes it,
// graph [ node [ id N label "..." Latitude .. Longitude .. ] edge [ source A
// target B ] ], keys in any order, any other keys passed over.
#pragma once

#include <string>
#include <string_view>

#include "error.h"
#include "raw_network.h"

Error read_gml(std::string_view text, const std::string& file_name, RawNetwork& out);
