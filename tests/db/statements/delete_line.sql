   Delete                                                                       
   From    Account_Qel_AA                                                       
   Where   rtrim(Serial_Qel) + rtrim(Serial_Bun) = :tbSerial                    
