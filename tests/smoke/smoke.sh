#!/usr/bin/env bash
echo "smoke: placeholder"
