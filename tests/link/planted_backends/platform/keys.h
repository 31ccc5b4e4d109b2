// An interface at platform/'s top level.
#pragma once
