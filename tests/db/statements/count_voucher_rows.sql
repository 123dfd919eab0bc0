   Select    Count(*)  As    Serial                                             
   From      Account_Qel_AA                                                     
   Where     rtrim(Serial_Qel) = :tbSerial                                      
